// Commands that talk to the radio: ports, read, write.

#include "Arguments.h"
#include "Command.h"
#include "Document.h"
#include "PortNames.h"
#include "RadioLink.h"
#include "SafeSave.h"
#include "SafetyTexts.h"
#include "TextFormat.h"
#include "Texts.h"
#include "Transfer.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

namespace kx9::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl-C, SIGTERM or a hang-up of the terminal during a transfer cancels it
// at the next pump point or ends the port's wait, so the port is closed and
// put back as it was, and a read leaves no half-written file behind. Held
// over the save too, which then completes.
class InterruptGuard
{
public:
    InterruptGuard()
    {
        g_interrupted = 0;
        struct sigaction action
        {
        };
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            ::sigaction(kSignals[i], &action, &m_previous[i]);
    }
    ~InterruptGuard()
    {
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    InterruptGuard(const InterruptGuard &) = delete;
    InterruptGuard &operator=(const InterruptGuard &) = delete;

private:
    static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> m_previous{};
};

// The progress dialog of the command line: a bar on stderr when it is a
// terminal, questions on the terminal, and refusals without one.
class CliHost : public TransferHost, public Prompter
{
public:
    CliHost(std::string_view caption, int blocks, bool yes, bool trace)
        : m_caption(caption), m_blocks(blocks), m_yes(yes),
          m_bar(::isatty(STDERR_FILENO) == 1 && !trace),
          m_canAsk(::isatty(STDERR_FILENO) == 1 && ::isatty(STDIN_FILENO) == 1)
    {
    }

    void pump() override {}
    bool cancelRequested() const override { return g_interrupted != 0; }
    void setWatch(bool) override {}
    void setStatus(std::string_view text) override
    {
        m_status = std::string(text);
        draw();
    }
    int progressPosition() const override { return m_position; }
    void stepProgress() override { ++m_position; }
    void closeProgress() override { endLine(); }
    Prompter &prompter() override { return *this; }

    void inform(std::string_view text, Icon, std::string_view detail) override
    {
        endLine();
        std::cerr << text << "\n";
        if (!detail.empty())
            std::cerr << detail << "\n";
    }
    bool askOkCancel(std::string_view text, Default) override
    {
        endLine();
        std::cerr << text << "\n";
        if (m_yes) {
            std::cerr << "Continuing: --yes was given.\n";
            return true;
        }
        if (!m_canAsk) {
            std::cerr << "Not continuing: no terminal to ask; --yes continues.\n";
            return false;
        }
        return ask("OK or Cancel? [o/C] ", 'o');
    }
    bool askRetryCancel(std::string_view text) override
    {
        endLine();
        std::cerr << text << "\n";
        return m_canAsk && ask("Retry or Cancel? [r/C] ", 'r');
    }
    bool askYesNo(std::string_view text) override
    {
        endLine();
        std::cerr << text << "\n";
        return m_canAsk && ask("Yes or No? [y/N] ", 'y');
    }
    SaveChoice askSaveDiscardCancel(std::string_view text) override
    {
        endLine();
        std::cerr << text << "\n";
        return SaveChoice::Cancel;
    }

private:
    bool ask(std::string_view prompt, char yes)
    {
        std::cerr << prompt << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer))
            return false;
        return !answer.empty() && (answer[0] == yes || answer[0] == yes - 'a' + 'A');
    }
    void draw()
    {
        if (!m_bar)
            return;
        constexpr int kWidth = 40;
        const int filled = m_blocks > 0 ? m_position * kWidth / m_blocks : 0;
        std::string line = "\r" + m_caption + " [" +
                           std::string(static_cast<std::size_t>(filled), '#') +
                           std::string(static_cast<std::size_t>(kWidth - filled), '.') + "] ";
        line +=
            m_position > 0 ? std::to_string(m_position) + "/" + std::to_string(m_blocks) : m_status;
        std::cerr << line << "\x1b[K" << std::flush;
        m_drawn = true;
    }
    void endLine()
    {
        if (m_drawn)
            std::cerr << "\n";
        m_drawn = false;
    }

    std::string m_caption;
    int m_blocks;
    bool m_yes;
    bool m_bar;
    bool m_canAsk;
    int m_position = 0;
    std::string m_status;
    bool m_drawn = false;
};

int usageError(std::string_view command, const std::string &message)
{
    std::cerr << "kx9-cli " << command << ": " << message << "\n"
              << "Try 'kx9-cli " << command << " --help'.\n";
    return kExitUsage;
}

// The transfer has shown its message, with the device and the reason when
// the port would not open and the partial write when a write failed after
// sending data; a cancellation, which has no message, is said here.
int transferFailed(const TransferResult &result)
{
    if (result.outcome == TransferOutcome::Cancelled) {
        std::cerr << "kx9-cli: cancelled\n";
        if (result.partialWrite)
            std::cerr << text::kPartialWrite.en << "\n";
    }
    return kExitFailure;
}

std::string hexLine(char direction, std::span<const std::uint8_t> bytes)
{
    std::string line(1, direction);
    char part[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(part, sizeof part, " %02X", b);
        line += part;
    }
    return line;
}

std::string_view lowLatencyText(RadioLink::LowLatency state)
{
    switch (state) {
    case RadioLink::LowLatency::Set:
        return "on (switched on for this transfer)";
    case RadioLink::LowLatency::AlreadyOn:
        return "on (the driver had it on)";
    case RadioLink::LowLatency::Unsupported:
        return "not offered by this port's driver";
    case RadioLink::LowLatency::Refused:
        return "refused by the driver";
    case RadioLink::LowLatency::NotAsked:
        break;
    }
    return "not asked";
}

// The serial port of the command line: ends its waits on Ctrl-C; and with
// --trace writes what the port did and every byte both ways to stderr.
class CliLink : public RadioLink
{
public:
    explicit CliLink(bool trace) : m_trace(trace) {}

    OpenResult open(std::string_view name, const TimeoutProfile &profile) override
    {
        const OpenResult opened = RadioLink::open(name, profile);
        if (m_trace) {
            if (opened.ok())
                std::cerr << "trace: opened " << portDevicePath(name)
                          << ": 9600 8N1 raw, exclusive; low-latency mode "
                          << lowLatencyText(lowLatency()) << "\n";
            else
                std::cerr << "trace: cannot open " << opened.detail << "\n";
        }
        return opened;
    }
    IoResult send(std::span<const std::uint8_t> bytes) override
    {
        const IoResult r = RadioLink::send(bytes);
        if (m_trace)
            std::cerr << hexLine('>', bytes.first(r.count)) << (r.ok ? "" : "  (device error)")
                      << "\n";
        return r;
    }
    IoResult receive(std::span<std::uint8_t> buffer) override
    {
        const IoResult r = RadioLink::receive(buffer);
        if (m_trace)
            std::cerr << hexLine('<', buffer.first(r.count))
                      << (!r.ok                     ? "  (device error)"
                          : r.count < buffer.size() ? "  (timed out)"
                                                    : "")
                      << "\n";
        return r;
    }
    void close() override
    {
        if (m_trace && isOpen())
            std::cerr << "trace: closed\n";
        RadioLink::close();
    }
    using RadioLink::send;

protected:
    bool stopWaiting() const override { return g_interrupted != 0; }

private:
    bool m_trace;
};

std::optional<Arguments> parse(std::string_view command, const std::vector<std::string> &argv,
                               const std::set<std::string> &values,
                               const std::set<std::string> &flags, std::size_t positional,
                               int &status)
{
    std::string error;
    auto args = Arguments::parse(argv, values, flags, error);
    if (!args) {
        status = usageError(command, error);
        return std::nullopt;
    }
    if (args->positional().size() != positional) {
        status =
            usageError(command, positional == 0 ? "takes no file name" : "needs exactly one FILE");
        return std::nullopt;
    }
    return args;
}

int runPorts(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    if (!parse("ports", argv, {}, {}, 0, status))
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
    const auto args = parse("read", argv, {"--port", "-o", "--output"}, {"--trace"}, 0, status);
    if (!args)
        return status;
    const std::string port = args->value("--port").value_or("COM1");
    const auto out = args->value("-o") ? args->value("-o") : args->value("--output");
    if (!out || out->empty())
        return usageError("read", "needs -o OUT");

    // Ten seconds of reading are not spent on a file that cannot be written.
    if (const SafeSaveResult target = checkSaveTarget(*out); !target) {
        std::cerr << "kx9-cli: " << fillIn(text::kCannotWriteFile.en, {*out, target.reason})
                  << "\n";
        return kExitFailure;
    }
    const bool trace = args->has("--trace");
    CliLink link(trace);
    CliHost host(text::kReadingCaption, kReadBlocks, false, trace);
    InterruptGuard guard;
    const TransferResult result = readFromRadio(link, port, host, Language::English);
    if (!result.completed())
        return transferFailed(result);
    const SafeSaveResult saved = saveFileSafely(*out, result.image->bytes());
    if (!saved) {
        std::cerr << "kx9-cli: " << fillIn(text::kCannotWriteFile.en, {*out, saved.reason}) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int runWrite(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parse("write", argv, {"--port"}, {"--yes", "-y", "--trace"}, 1, status);
    if (!args)
        return status;
    const std::string port = args->value("--port").value_or("COM1");

    // As the desktop program: Open fills the table from the file, and the
    // table goes back into the image just before the write.
    Document doc;
    const FileResult opened = doc.open(args->positional()[0], Language::English);
    if (!opened) {
        std::cerr << "kx9-cli: " << opened.message << "\n";
        return kExitFailure;
    }
    doc.writeTableToImage();

    const bool trace = args->has("--trace");
    CliLink link(trace);
    CliHost host(text::kWritingCaption, kWriteBlocks, args->has("--yes") || args->has("-y"), trace);
    TransferResult result;
    {
        InterruptGuard guard;
        result = writeToRadio(link, port, doc.image(), host, Language::English);
    }
    if (!result.completed())
        return transferFailed(result);
    return kExitOk;
}

constexpr Command kRadioCommands[] = {
    {"ports", "ports", "list the serial ports and the COM1-COM4 mapping",
     "Lists the serial ports the system reports, then the four port names of\n"
     "the desktop program: COM1 to COM4 are /dev/ttyUSB0 to /dev/ttyUSB3.\n",
     runPorts},
    {"read", "read --port PORT [--trace] -o OUT", "read a radio into a channel file",
     "Reads the radio's whole memory (4096 bytes) over PORT and saves it to OUT\n"
     "as it came, only after the last block: a failed or interrupted read leaves\n"
     "OUT as it was. An existing OUT keeps its mode and owner; one you may not\n"
     "write, or that is not a regular file, is refused. PORT is COM1-COM4\n"
     "(/dev/ttyUSB0-3) or any device path; default COM1. A progress bar is drawn\n"
     "on stderr when it is a terminal. --trace writes how the port was set up\n"
     "(low-latency mode included) and every byte both ways to stderr.\n"
     "Exit status 0 on success, 1 with the radio's message on stderr.\n",
     runRead},
    {"write", "write --port PORT [--yes] [--trace] FILE", "write a channel file into a radio",
     "Opens FILE as the desktop program does, writes its channel table back into\n"
     "the image and writes image bytes 0x000-0xFEF into the radio over PORT (the\n"
     "radio keeps its own power calibration in the last 16 bytes).\n"
     "When the radio reports another radio identity than the file holds, the\n"
     "question is asked on the terminal; --yes (-y) answers OK, and without a\n"
     "terminal and without --yes the write is refused. Questions to retry are\n"
     "answered Cancel without a terminal. --trace as for read.\n"
     "Exit status 0 on success, 1 with the radio's message on stderr; a write\n"
     "that ended after the first block says on a second line that the radio\n"
     "holds a partial write.\n",
     runWrite},
};

} // namespace

std::span<const Command> radioCommands()
{
    return kRadioCommands;
}

} // namespace kx9::cli
