// Commands that talk to the radio: ports, read, write.

#include "BackupTexts.h"
#include "Backups.h"
#include "CancelTexts.h"
#include "Command.h"
#include "CommandLine.h"
#include "Document.h"
#include "FleetCommands.h"
#include "PortNames.h"
#include "RadioLink.h"
#include "RadioSession.h"
#include "SafeSave.h"
#include "SafetyTexts.h"
#include "TextFormat.h"
#include "Texts.h"
#include "Transfer.h"
#include "WriteFlow.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

namespace kx9::cli {

namespace {

// The write flow of write and restore on one radio: image goes into the
// radio as it is, and verify compares the radio with it.
int writeImage(const Arguments &args, const std::string &port, const ChannelImage &image,
               bool verify)
{
    WriteFlowOptions options;
    if (args.has("--backup-first")) {
        options.backupFirst = [store = cliBackupStore(), port](const ChannelImage &held) {
            return keepBackup(store, held, port);
        };
    }
    options.verify = verify;
    // Two or three sessions share one bar, which the flow runs to the end.
    const bool sessions = options.backupFirst || options.verify;

    RadioSession session(args.has("--trace"), args.has("--yes") || args.has("-y"));
    TransferProgress progress(session, text::kWritingCaption,
                              sessions ? kProgressRange : kWriteBlocks);
    const WriteFlowResult result =
        runWriteFlow(session.port(), port, image, progress, options, Language::English);
    // A cancel says what the radio now holds; a failure has said what failed
    // (a write's with the partial write); a passed verify is worth a line.
    if (result.cancelled())
        return failed(result.message);
    // The identity question answered Cancel: its text alone does not say.
    if (result.transfer.outcome == TransferOutcome::TypeMismatchDeclined)
        std::cerr << text::kNothingWrittenIdentity.en << "\n";
    if (!result.completed())
        return kExitFailure;
    if (options.verify)
        std::cout << result.message << "\n";
    return kExitOk;
}

int runPorts(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    if (!parseArguments("ports", argv, {}, {}, 0, status))
        return status;
    const std::vector<std::string> ports = RadioLink::availablePorts();
    std::cout << "Serial ports:\n";
    if (ports.empty())
        std::cout << "  (none found)\n";
    // A USB cable's name (/dev/serial/by-id) stays the same in any order of
    // plugging in, where its ttyUSB number does not.
    const auto cable = [](const std::string &device) {
        const std::string name = usbCableName(device);
        return name.empty() ? std::string() : "  " + escaped(name);
    };
    for (const std::string &p : ports)
        std::cout << "  " << escaped(p) << cable(p) << "\n";
    std::cout << "\nPort names of the desktop program:\n";
    for (std::string_view com : kComPorts) {
        const std::string device = portDevicePath(com);
        const bool present = std::filesystem::exists(device);
        std::cout << "  " << com << "  " << device << (present ? cable(device) : "  (not present)")
                  << "\n";
    }
    return kExitOk;
}

int runRead(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments("read", argv, {"--port...", "-o", "--output"},
                                     {"--trace", "--json", "--no-backup"}, 0, status);
    if (!args)
        return status;
    if (args->values("--port").size() > 1)
        return runFleetRead(*args);
    if (args->has("--json"))
        return usageError("read", "--json goes with more than one --port");
    const std::string port = args->value("--port").value_or("COM1");
    const auto out = outputPath(*args);
    if (!out || out->empty())
        return usageError("read", "needs -o OUT");

    // Ten seconds of reading are not spent on a file that cannot be written.
    if (const SafeSaveResult target = checkSaveTarget(*out); !target) {
        return failed(fillIn(text::kCannotWriteFile.en, {*out, target.reason}));
    }
    // Held over the save too, which then completes.
    RadioSession session(args->has("--trace"));
    TransferProgress progress(session, text::kReadingCaption, kReadBlocks);
    const TransferResult result = readFromRadio(session.port(), port, progress, Language::English);
    // A failure has shown its message; a cancel, which has none, is said here.
    if (result.outcome == TransferOutcome::Cancelled)
        return failed(text::kCancelledNothingSaved.en);
    if (!result.completed())
        return kExitFailure;
    if (!args->has("--no-backup"))
        keepReadBackup(*result.image, port);
    const SafeSaveResult saved = saveFileSafely(*out, result.image->bytes());
    if (!saved)
        return failed(fillIn(text::kCannotWriteFile.en, {*out, saved.reason}));
    return kExitOk;
}

int runWrite(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments(
        "write", argv, {"--port..."},
        {"--yes", "-y", "--trace", "--verify", "--backup-first", "--json"}, 1, status);
    if (!args)
        return status;
    const bool fleet = args->values("--port").size() > 1;
    if (!fleet && args->has("--json"))
        return usageError("write", "--json goes with more than one --port");

    // As the desktop program: Open fills the table from the file, and the
    // table goes back into the image for the write.
    const auto image = [&]() -> std::optional<ChannelImage> {
        Document doc;
        const FileResult opened = doc.open(args->positional()[0], Language::English);
        if (!opened) {
            failed(opened.message);
            return std::nullopt;
        }
        return doc.imageAsSaved();
    };
    if (fleet)
        return runFleetWrite(*args, "write", image, args->has("--verify"));
    const std::optional<ChannelImage> sent = image();
    return sent ? writeImage(*args, args->value("--port").value_or("COM1"), *sent,
                             args->has("--verify"))
                : kExitFailure;
}

int runRestore(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments(
        "restore", argv, {"--port..."},
        {"--yes", "-y", "--trace", "--verify", "--no-verify", "--backup-first", "--json"}, 1,
        status);
    if (!args)
        return status;
    const bool fleet = args->values("--port").size() > 1;
    if (!fleet && args->has("--json"))
        return usageError("restore", "--json goes with more than one --port");
    if (args->has("--verify") && args->has("--no-verify"))
        return usageError("restore", "--verify and --no-verify exclude each other");

    // The file's bytes as they are: no table in between.
    const auto image = [&]() -> std::optional<ChannelImage> {
        const ChannelFile file = readChannelFile(args->positional()[0], Language::English);
        if (!file.result) {
            failed(file.result.message);
            return std::nullopt;
        }
        return file.image;
    };
    const bool verify = !args->has("--no-verify");
    if (fleet)
        return runFleetWrite(*args, "restore", image, verify);
    const std::optional<ChannelImage> sent = image();
    return sent ? writeImage(*args, args->value("--port").value_or("COM1"), *sent, verify)
                : kExitFailure;
}

constexpr Command kRadioCommands[] = {
    {"ports", "ports", "list the serial ports and the COM1-COM4 mapping",
     "Lists the serial ports the system reports, each USB cable with its name\n"
     "from /dev/serial/by-id, then the four port names of the desktop program:\n"
     "COM1 to COM4 are /dev/ttyUSB0 to /dev/ttyUSB3.\n",
     runPorts},
    {"read", "read --port PORT... [--trace] [--no-backup] [--json] -o OUT",
     "read a radio into a channel file, or many radios into a folder",
     "Reads the radio's whole memory (4096 bytes) over PORT and saves it to OUT\n"
     "as it came, only after the last block: a failed or interrupted read leaves\n"
     "OUT as it was. An existing OUT keeps its mode and owner; one you may not\n"
     "write, or that is not a regular file, is refused. PORT is COM1-COM4\n"
     "(/dev/ttyUSB0-3) or any device path; default COM1. A progress bar is drawn\n"
     "on stderr when it is a terminal. --trace writes how the port was set up\n"
     "(low-latency mode included) and every byte both ways to stderr.\n"
     "Every completed read also keeps a backup of the radio (see 'kx9-cli\n"
     "backups'), unless it holds what the newest backup of that radio holds;\n"
     "--no-backup keeps none. A backup that cannot be kept is a warning on\n"
     "stderr: the read still succeeds and saves OUT.\n"
     "Exit status 0 on success, 1 with the radio's message on stderr.\n"
     "With more than one --port every radio is read at the same time into\n"
     "the folder OUT, one OUT/<port>.sin each (/dev/ttyUSB0 -> ttyUSB0.sin), each\n"
     "with its backup as above; the rest as for write with many ports. --json goes\n"
     "with more than one --port.\n",
     runRead},
    {"write", "write --port PORT... [--yes] [--verify] [--backup-first] [--trace] [--json] FILE",
     "write a channel file into one radio or many at once",
     "Opens FILE as the desktop program does, writes its channel table back into\n"
     "the image and writes image bytes 0x000-0xFEF into the radio over PORT (the\n"
     "radio keeps its own power calibration in the last 16 bytes).\n"
     "When the radio reports another radio identity than the file holds, the\n"
     "question is asked on the terminal; --yes (-y) answers OK, and without a\n"
     "terminal and without --yes the write is refused. OK writes the file's\n"
     "identity byte too, so the radio takes the file's identity; Cancel writes\n"
     "nothing and says so. Questions to retry are answered Cancel without a\n"
     "terminal. --trace as for read.\n"
     "--backup-first reads the radio first and keeps it as a backup; when that\n"
     "fails, nothing is written. --verify reads the radio back after the write\n"
     "and compares the written bytes: a difference fails with the first\n"
     "differing addresses and their count. Each needs a further session with\n"
     "the radio; some radios must be switched off and on between sessions.\n"
     "Every channel goes through the table, as the desktop program's Write does:\n"
     "an empty channel is sent in its fixed form. 'kx9-cli restore' sends a file's\n"
     "bytes as they are.\n"
     "Exit status 0 on success, 1 with the radio's message on stderr; a write\n"
     "that ended after the first block says on a second line that the radio\n"
     "holds a partial write.\n"
     "With more than one --port the file goes into every radio at the same time,\n"
     "one port each; a radio that fails never stops the others. A radio that\n"
     "reports another identity is skipped unless --yes; nobody is asked.\n"
     "--backup-first and --verify work for each radio as for one. On a terminal one\n"
     "progress line per port is redrawn on stderr, else a line per radio as it\n"
     "ends; then a table on stdout (port, identity, result, seconds), or one\n"
     "JSON array with --json. Ctrl-C cancels every transfer. Exit status 0 when\n"
     "every radio was written (and verified), 1 otherwise, 2 for the same port\n"
     "given twice. --json goes with more than one --port, --trace with one.\n",
     runWrite},
    {"restore",
     "restore --port PORT... [--yes] [--no-verify] [--backup-first] [--trace] [--json] FILE",
     "send a backup's bytes into one radio or many, exactly as they are",
     "Sends bytes 0x000-0xFEF of FILE into the radio over PORT exactly as the file\n"
     "holds them, with no channel table in between (the radio keeps its own power\n"
     "calibration in the last 16 bytes). FILE must be a channel file of exactly\n"
     "4096 bytes, such as a backup (see 'kx9-cli backups').\n"
     "Then the radio is read back and compared with the file (--verify, the\n"
     "default; --no-verify skips it): a difference fails with the first differing\n"
     "addresses and their count.\n"
     "The identity question, --yes (-y), --backup-first, --trace, several --port\n"
     "and --json work as for write. A radio of another identity that is restored\n"
     "with --yes (or OK) takes the file's identity byte.\n"
     "Exit status 0 when every radio was restored and verified, 1 otherwise.\n",
     runRestore},
};

} // namespace

std::span<const Command> radioCommands()
{
    return kRadioCommands;
}

} // namespace kx9::cli
