#include "FleetCommands.h"

#include "Backups.h"
#include "CancelTexts.h"
#include "Command.h"
#include "CommandLine.h"
#include "Document.h"
#include "Fleet.h"
#include "FleetJobs.h"
#include "FleetReport.h"
#include "Output.h"
#include "RadioSession.h"
#include "SafeSave.h"
#include "SafetyTexts.h"
#include "TextFormat.h"
#include "Texts.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kx9::cli {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// Runs the job on every port while the session's signal guard turns
// Ctrl-C into a cancel of them all (its handler raises the token every
// radio's wait polls); prints the table and returns the status.
int runFleet(const std::vector<std::string> &ports, RadioJob job, bool yes, bool json)
{
    RadioSession session;
    FleetRun run(ports, [](const std::string &) { return std::make_unique<CliLink>(false); },
                 std::move(job), {.yes = yes, .cancel = &session.cancelToken()});
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    std::vector<bool> told(ports.size(), false);
    bool drawn = false;
    for (bool done = false; !done;) {
        done = run.wait(kRedrawInterval);
        const std::vector<FleetProgress> progress = run.progress();
        if (terminal && drawn)
            std::cerr << "\033[" << ports.size() << "A";
        winsize size{};
        const std::size_t columns =
            ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1 ? size.ws_col - 1
                                                                              : 79;
        for (std::size_t i = 0; i < ports.size(); ++i) {
            const std::optional<FleetResult> result = run.result(i);
            // On a terminal, one row per radio: a bar while it runs, its result
            // once done, cut to the row (the table after it says all).
            if (terminal)
                std::cerr << "\r\033[K"
                          << fitToColumns(result ? formatFleetLine(*result)
                                                 : formatFleetProgress(ports[i], progress[i]),
                                          columns)
                          << "\n";
            else if (result && !told[i])
                std::cerr << formatFleetLine(*result) << "\n";
            told[i] = told[i] || result.has_value();
        }
        drawn = true;
        std::cerr.flush();
    }
    const std::vector<FleetResult> results = run.results();
    std::string partial;
    for (const FleetResult &r : results)
        if (r.partialWrite)
            partial += (partial.empty() ? "" : ", ") + escaped(r.port);
    if (!partial.empty())
        std::cerr << "kx9-cli: " << partial << ": " << text::kPartialWrite.en << "\n";
    std::cout << (json ? formatFleetJson(results) : formatFleetTable(results));
    // Even when every radio had finished, a signal is a cancelled command.
    if (session.interrupted())
        return failed(text::kCancelledFleet.en);
    return fleetSucceeded(results) ? kExitOk : kExitFailure;
}

} // namespace

int runFleetWrite(const Arguments &args, std::string_view command,
                  const std::function<std::optional<ChannelImage>()> &image, bool verify)
{
    const std::vector<std::string> ports = args.values("--port");
    if (const std::string problem = fleetPortProblem(ports, false); !problem.empty())
        return usageError(command, problem);
    if (args.has("--trace"))
        return usageError(command, "--trace goes with one --port");
    const std::optional<ChannelImage> sent = image();
    if (!sent)
        return kExitFailure;
    BackupKeeper keeper;
    if (args.has("--backup-first")) {
        keeper = [store = cliBackupStore()](std::string_view port, const ChannelImage &held) {
            return keepBackup(store, held, port);
        };
    }
    return runFleet(ports, writeFlowJob(*sent, Language::English, verify, keeper),
                    args.has("--yes") || args.has("-y"), args.has("--json"));
}

int runFleetRead(const Arguments &args)
{
    const std::vector<std::string> ports = args.values("--port");
    if (const std::string problem = fleetPortProblem(ports, true); !problem.empty())
        return usageError("read", problem);
    if (args.has("--trace"))
        return usageError("read", "--trace goes with one --port");
    const auto out = outputPath(args);
    if (!out || out->empty())
        return usageError("read", "needs -o DIR");
    std::error_code error;
    if (!std::filesystem::is_directory(*out, error))
        return failed(fillIn(
            text::kCannotWriteFile.en,
            {*out, std::filesystem::exists(*out, error) ? "not a folder" : "no such folder"}));
    // Ten seconds of reading are not spent on files that cannot be written.
    const std::filesystem::path dir(*out);
    for (const std::string &port : ports) {
        const std::string file = (dir / fleetFileName(port)).string();
        if (const SafeSaveResult target = checkSaveTarget(file); !target)
            return failed(fillIn(text::kCannotWriteFile.en, {file, target.reason}));
    }
    // Every completed read keeps its backup, as a single read does; a backup
    // that cannot be kept is a warning and never fails that radio.
    const bool keepBackups = readBackupSettings().enabled && !args.has("--no-backup");
    const BackupStore store = cliBackupStore();
    auto warningLock = std::make_shared<std::mutex>();
    ImageSink sink = [dir, keepBackups, store, warningLock](std::string_view port,
                                                            const ChannelImage &image) {
        const std::string file = (dir / fleetFileName(port)).string();
        const SafeSaveResult saved = saveFileSafely(file, image.bytes());
        if (!saved)
            return fillIn(text::kCannotWriteFile.en, {file, saved.reason});
        if (keepBackups) {
            if (const std::string failed = keepBackup(store, image, port); !failed.empty()) {
                const std::lock_guard<std::mutex> hold(*warningLock);
                std::cerr << "kx9-cli: warning: " << escaped(port) << ": " << escapedLines(failed)
                          << "\n";
            }
        }
        return std::string();
    };
    return runFleet(ports, plainReadJob(std::move(sink), Language::English), false,
                    args.has("--json"));
}

} // namespace kx9::cli
