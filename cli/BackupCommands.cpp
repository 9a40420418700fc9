// The backups every read keeps: the settings kx9-cli follows, and the
// command that lists them.

#include "Backups.h"
#include "Command.h"
#include "CommandLine.h"
#include "Output.h"

#include <iostream>
#include <mutex>

namespace kx9::cli {

BackupStore cliBackupStore()
{
    return BackupStore::forUser();
}

std::string keepBackup(const BackupStore &store, const ChannelImage &image,
                       std::string_view portName)
{
    static std::mutex saying;
    const BackupResult kept = store.keep(image, portName, Language::English);
    if (!kept.note.empty()) {
        const std::lock_guard hold(saying);
        std::cerr << "kx9-cli: warning: " << escapedLines(kept.note) << "\n";
    }
    return kept.ok() ? std::string() : kept.message;
}

void keepReadBackup(const ChannelImage &image, const std::string &portName)
{
    if (!readBackupSettings().enabled)
        return;
    if (const std::string failed = keepBackup(cliBackupStore(), image, portName); !failed.empty())
        std::cerr << "kx9-cli: warning: " << escapedLines(failed) << "\n";
}

namespace {

int runBackups(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments("backups", argv, {}, {"--json", "--dir"}, 0, status);
    if (!args)
        return status;
    if (args->has("--dir") && args->has("--json"))
        return usageError("backups", "--dir and --json exclude each other");
    const BackupStore store = cliBackupStore();
    if (args->has("--dir")) {
        std::cout << escaped(store.folder()) << "\n";
        return kExitOk;
    }
    // Another user's folder may hold planted backups: nothing from it is listed.
    if (const std::string problem = store.folderProblem(Language::English); !problem.empty())
        return failed(problem);
    const std::vector<BackupEntry> entries = store.list();
    if (args->has("--json")) {
        // The keys in alphabetical order, four blanks an indent.
        auto text = [](const std::string &s) { return "\"" + escaped(s, true) + "\""; };
        std::cout << "[";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const BackupEntry &e = entries[i];
            // A file that is not a whole image has no type and no channels.
            std::cout << (i == 0 ? "\n" : ",\n") << "    {\n"
                      << "        \"channelsInUse\": "
                      << (e.image ? std::to_string(e.channelsInUse) : "null") << ",\n"
                      << "        \"file\": " << text(e.path) << ",\n"
                      << "        \"identity\": " << static_cast<int>(e.identity) << ",\n"
                      << "        \"port\": " << text(e.port) << ",\n"
                      << "        \"radioType\": " << (e.image ? text(e.radioType) : "null")
                      << ",\n"
                      << "        \"time\": " << text(e.dateTime) << "\n"
                      << "    }";
        }
        std::cout << "\n]\n";
        return kExitOk;
    }
    for (const BackupEntry &e : entries) {
        std::cout << e.dateTime << '\t' << e.port << '\t' << e.radioType << '\t'
                  << (e.image ? std::to_string(e.channelsInUse) : std::string()) << '\t'
                  << escaped(e.path) << '\n';
    }
    return kExitOk;
}

constexpr Command kBackupCommands[] = {
    {"backups", "backups [--json | --dir]", "list the backups every read keeps",
     "Lists the backups that every completed read keeps (kx9-cli read and the\n"
     "desktop program), newest first, one a line, TAB-separated: date and time,\n"
     "port, radio type, channels in use, file. A file that is not a whole\n"
     "channel image has the type and channels empty. --json prints one JSON\n"
     "array instead; --dir prints the backups folder\n"
     "($XDG_DATA_HOME/kx9/backups, by default ~/.local/share/kx9/backups).\n"
     "Send one back into a radio exactly as it is with kx9-cli restore, giving\n"
     "its file as FILE.\n"
     "Exit status 0; 1 when the folder is refused (a symbolic link, another\n"
     "user's, or writable by others: the reason is said); 2 for a wrong\n"
     "command line.\n",
     runBackups},
};

} // namespace

std::span<const Command> backupCommands()
{
    return kBackupCommands;
}

} // namespace kx9::cli
