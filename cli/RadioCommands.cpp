// Commands that talk to the radio: ports, read, write.

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

int runPorts(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    if (!parseArguments("ports", argv, {}, {}, 0, status))
        return status;
    const std::vector<std::string> ports = RadioLink::availablePorts();
    std::cout << "Serial ports:\n";
    if (ports.empty())
        std::cout << "  (none found)\n";
    for (const std::string &p : ports)
        std::cout << "  " << p << "\n";
    std::cout << "\nPort names of the desktop program:\n";
    for (std::string_view com : kComPorts) {
        const std::string device = portDevicePath(com);
        const bool present = std::filesystem::exists(device);
        std::cout << "  " << com << "  " << device << (present ? "" : "  (not present)") << "\n";
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
    if (args->values("--port").size() > 1)
        return runFleetWrite(*args);
    if (args->has("--json"))
        return usageError("write", "--json goes with more than one --port");
    const std::string port = args->value("--port").value_or("COM1");

    // As the desktop program: Open fills the table from the file, and the
    // table goes back into the image just before the write.
    Document doc;
    const FileResult opened = doc.open(args->positional()[0], Language::English);
    if (!opened)
        return failed(opened.message);
    doc.writeTableToImage();

    WriteFlowOptions options;
    if (args->has("--backup-first")) {
        options.backupFirst =
            cliBackupStore().keeper(port, Language::English, backupSettings().maxAgeDays);
    }
    options.verify = args->has("--verify");
    // Two or three sessions share one bar, which the flow runs to the end.
    const bool sessions = options.backupFirst || options.verify;

    RadioSession session(args->has("--trace"), args->has("--yes") || args->has("-y"));
    TransferProgress progress(session, text::kWritingCaption,
                              sessions ? kProgressRange : kWriteBlocks);
    const WriteFlowResult result =
        runWriteFlow(session.port(), port, doc.image(), progress, options, Language::English);
    // A cancel says what the radio now holds; a failure has said what failed
    // (a write's with the partial write); a passed verify is worth a line.
    if (result.cancelled())
        return failed(result.message);
    if (!result.completed())
        return kExitFailure;
    if (options.verify)
        std::cout << result.message << "\n";
    return kExitOk;
}

constexpr Command kRadioCommands[] = {
    {"ports", "ports", "list the serial ports and the COM1-COM4 mapping",
     "Lists the serial ports the system reports, then the four port names of\n"
     "the desktop program: COM1 to COM4 are /dev/ttyUSB0 to /dev/ttyUSB3.\n",
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
     "terminal and without --yes the write is refused. Questions to retry are\n"
     "answered Cancel without a terminal. --trace as for read.\n"
     "--backup-first reads the radio first and keeps it as a backup; when that\n"
     "fails, nothing is written. --verify reads the radio back after the write\n"
     "and compares the written bytes: a difference fails with the first\n"
     "differing addresses and their count. Each needs a further session with\n"
     "the radio; some radios must be switched off and on between sessions.\n"
     "Restoring a backup is 'kx9-cli write --port PORT BACKUP.sin'.\n"
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
};

} // namespace

std::span<const Command> radioCommands()
{
    return kRadioCommands;
}

} // namespace kx9::cli
