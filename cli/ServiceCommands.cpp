// Commands of the radio's service mode: power tuning and the debug mode.

#include "Arguments.h"
#include "Command.h"
#include "DebugModeRules.h"
#include "Output.h"
#include "PowerDebug.h"
#include "RadioLink.h"
#include "ServiceHost.h"
#include "Texts.h"

#include <QCoreApplication>

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace kx9::cli {

namespace {

// Messages on stderr; Retry/Cancel asked on the terminal, Cancel without one.
class TerminalHost : public ServiceHost, public Prompter
{
public:
    TerminalHost() : m_canAsk(::isatty(STDIN_FILENO) == 1 && ::isatty(STDERR_FILENO) == 1) {}

    void pump() override {}
    Prompter &prompter() override { return *this; }

    void inform(std::string_view text, Icon, std::string_view detail) override
    {
        std::cerr << text << "\n";
        if (!detail.empty())
            std::cerr << detail << "\n";
    }
    bool askOkCancel(std::string_view text, Default) override
    {
        return ask(text, "OK or Cancel? [o/C] ", 'o');
    }
    bool askRetryCancel(std::string_view text) override
    {
        return ask(text, "Retry or Cancel? [r/C] ", 'r');
    }
    bool askYesNo(std::string_view text) override { return ask(text, "Yes or No? [y/N] ", 'y'); }
    SaveChoice askSaveDiscardCancel(std::string_view text) override
    {
        std::cerr << text << "\n";
        return SaveChoice::Cancel;
    }

private:
    bool ask(std::string_view text, std::string_view prompt, char yes)
    {
        std::cerr << text << "\n";
        if (!m_canAsk)
            return false;
        std::cerr << prompt << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer))
            return false;
        return !answer.empty() && (answer[0] == yes || answer[0] == yes - 'a' + 'A');
    }

    bool m_canAsk;
};

// QSerialPort wants an application object for its notifiers.
class QtCore
{
public:
    QtCore()
    {
        if (QCoreApplication::instance() == nullptr)
            m_app = std::make_unique<QCoreApplication>(m_argc, m_argv);
    }

private:
    int m_argc = 1;
    char m_name[8] = "kx9-cli";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

int usageError(std::string_view command, const std::string &message)
{
    std::cerr << "kx9-cli " << command << ": " << message << "\n"
              << "Try 'kx9-cli " << command << " --help'.\n";
    return kExitUsage;
}

// A whole number from first to last, nothing else.
std::optional<int> parseValue(const std::string &text, int first, int last)
{
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int value = std::stoi(text);
    if (value < first || value > last)
        return std::nullopt;
    return value;
}

int runPower(const std::vector<std::string> &argv)
{
    std::string error;
    const auto args = Arguments::parse(argv, {"--port", "--set"}, {}, error);
    if (!args)
        return usageError("power", error);
    if (args->positional().size() != 1 ||
        (args->positional()[0] != "high" && args->positional()[0] != "low"))
        return usageError("power", "needs high or low");
    const PowerKind kind = args->positional()[0] == "high" ? PowerKind::High : PowerKind::Low;
    const int maximum = powerVariant(kind).maximum;
    std::optional<int> value;
    if (const auto set = args->value("--set")) {
        value = parseValue(*set, kPowerMinimum, maximum);
        if (!value)
            return usageError("power", "--set takes a whole number from " +
                                           std::to_string(kPowerMinimum) + " to " +
                                           std::to_string(maximum));
    }
    const std::string port = args->value("--port").value_or("COM1");

    QtCore qt;
    RadioLink link;
    TerminalHost host;
    PowerDebugSession session(link, host, kind, Language::English);
    const PowerEntryResult entry = session.enter(port);
    if (!entry.completed())
        return kExitFailure;
    std::cout << static_cast<int>(entry.value) << "\n";
    flushOutput(); // the value, while the radio is tuned and left

    int status = kExitOk;
    if (value && !session.tune(static_cast<std::uint8_t>(*value)).completed())
        status = kExitFailure;
    // After Cancel on a tuning question the port is closed already and there
    // is nothing to send the exit on.
    if (session.portOpen() && !session.leave().completed())
        status = kExitFailure;
    return status;
}

std::optional<DebugItem> parseItem(const std::string &name)
{
    if (name == "tx-frequency")
        return DebugItem::TxFrequency;
    if (name == "low-power-voltage")
        return DebugItem::LowPowerVoltage;
    if (name == "squelch-level")
        return DebugItem::SquelchLevel;
    if (name == "tx-power")
        return DebugItem::TxPower;
    return std::nullopt;
}

int runDebug(const std::vector<std::string> &argv)
{
    std::string error;
    const auto args = Arguments::parse(argv, {"--port", "--freq"}, {}, error);
    if (!args)
        return usageError("debug", error);
    if (args->positional().size() != 2)
        return usageError("debug", "needs ITEM and VALUE");
    const auto item = parseItem(args->positional()[0]);
    if (!item)
        return usageError("debug", "ITEM is tx-frequency, low-power-voltage, squelch-level or "
                                   "tx-power");
    const auto value = parseValue(args->positional()[1], 0, 255);
    if (!value)
        return usageError("debug", "VALUE is a whole number from 0 to 255");
    const std::string freq = args->value("--freq").value_or("high");
    DebugFrequency frequency = DebugFrequency::High;
    if (freq == "middle")
        frequency = DebugFrequency::Middle;
    else if (freq == "low")
        frequency = DebugFrequency::Low;
    else if (freq != "high")
        return usageError("debug", "--freq is high, middle or low");
    const std::string port = args->value("--port").value_or("COM1");

    // The dialog's defaults: the frequency's own MHz on both sides, and the
    // first entry of the QT list ("Off") as both tones.
    const DebugModeState defaults;
    const DebugFrequencySettings &settings = defaults.settings(frequency);
    DebugCommand command;
    command.item = *item;
    command.rxFrequency = debugFrequencyUnits(formatDebugMhz(settings.rx.mhz));
    command.txFrequency = debugFrequencyUnits(formatDebugMhz(settings.tx.mhz));
    command.rxTone = debugToneValue(debugToneList(settings.rx.method).at(0));
    command.txTone = debugToneValue(debugToneList(settings.tx.method).at(0));
    command.value = static_cast<std::uint8_t>(*value);

    QtCore qt;
    RadioLink link;
    TerminalHost host;
    if (!sendDebugCommand(link, port, host, command, Language::English).completed())
        return kExitFailure;
    std::cout << text::kFinishSuccessfully.en << "\n";
    return kExitOk;
}

constexpr Command kServiceCommands[] = {
    {"power", "power --port PORT high|low [--set VALUE]",
     "read or tune the radio's high or low transmit power",
     "Puts the radio into its power tuning state (as High Power Debug or Low\n"
     "Power Debug do), prints the value it reports, with --set sends one tuning\n"
     "write of VALUE (1-250 high, 1-200 low), and always takes the radio out of\n"
     "the tuning state again. PORT is COM1-COM4 (/dev/ttyUSB0-3) or any device\n"
     "path; default COM1. On a terminal a failed exchange asks Retry or Cancel;\n"
     "without one it is answered Cancel.\n"
     "Exit status 0 on success, 1 with the radio's message on stderr.\n",
     runPower},
    {"debug", "debug --port PORT ITEM VALUE [--freq F]", "send one debug-mode setting",
     "Sends one setting of the radio's debug mode, as the Debug Mode dialog's\n"
     "Start does: ITEM is tx-frequency, low-power-voltage, squelch-level or\n"
     "tx-power, VALUE 0-255. The receive and transmit frequency are the debug\n"
     "frequency F: high 466, middle 456 or low 446 MHz (default high); both\n"
     "tones are off. On a terminal a failed exchange asks Retry or Cancel.\n"
     "Exit status 0 on success (\"Finish successfully!\" on stdout), 1 with\n"
     "the radio's message on stderr.\n",
     runDebug},
};

} // namespace

std::span<const Command> serviceCommands()
{
    return kServiceCommands;
}

} // namespace kx9::cli
