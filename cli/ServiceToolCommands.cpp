// Commands of the radio's service mode: power tuning and the debug mode.

#include "CancelTexts.h"
#include "Command.h"
#include "CommandLine.h"
#include "DebugModeRules.h"
#include "Document.h"
#include "Output.h"
#include "PowerDebug.h"
#include "RadioSession.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <iostream>
#include <optional>
#include <string>

namespace kx9::cli {

namespace {

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
    int status = kExitOk;
    const auto args = parseArguments("power", argv, {"--port", "--set", "--into"}, {}, 1, status,
                                     "needs high or low");
    if (!args)
        return status;
    if (args->positional()[0] != "high" && args->positional()[0] != "low")
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
    // The file is opened before the radio is touched: a file that cannot be
    // kept in must not be found out after the tuning.
    const auto into = args->value("--into");
    Document document;
    if (into) {
        if (into->empty())
            return usageError("power", "--into needs a file name");
        const FileResult opened = document.open(*into, Language::English);
        if (!opened)
            return failed(opened.message);
    }

    RadioSession radio;
    PowerDebugSession session(radio.port(), radio, kind, Language::English);
    // The value the radio last acknowledged goes into the file, however the
    // session ended, as the window keeps it when its dialog closes.
    const auto keep = [&](int result) {
        const auto held = session.heldValue();
        if (!into || !held)
            return result;
        document.storeCalibration(session.variant().imageOffset, *held);
        const FileResult saved = document.save(*into, Language::English);
        if (!saved)
            return failed(saved.message);
        // A run that failed still changed the file: say what it now holds.
        if (result != kExitOk)
            std::cerr << "kx9-cli power: " << escaped(*into) << " keeps " << static_cast<int>(*held)
                      << ", the value the radio last acknowledged\n";
        return result;
    };
    bool valueRead = false;
    // The leave is never cut short by a cancel, which asks for it: it runs
    // whole (bounded, as the window's close does).
    const auto leave = [&] {
        radio.port().setCancelToken(nullptr);
        return session.leave().completed();
    };
    // A signal takes the radio out of the tuning state before the port is
    // put back, and says what was done.
    const auto cancelled = [&](bool left) {
        return keep(failed(!left       ? text::kCancelledPowerNotLeft.en
                           : valueRead ? text::kCancelledPowerRead.en
                                       : text::kCancelledPowerLeft.en));
    };
    const auto cancel = [&] {
        if (session.portOpen() && session.inServiceState())
            return cancelled(leave());
        if (session.portOpen())
            leave(); // closes the port: the radio never got the entry code
        return keep(failed(valueRead ? text::kCancelledPowerNotLeft.en
                                     : text::kCancelledPowerNotEntered.en));
    };
    const PowerEntryResult entry = session.enter(port);
    if (entry.outcome == ServiceOutcome::Cancelled || radio.interrupted())
        return cancel();
    if (!entry.completed())
        return kExitFailure;
    std::cout << static_cast<int>(entry.value) << "\n";
    flushOutput(); // the value, while the radio is tuned and left
    valueRead = true;

    if (value) {
        const ServiceResult tuned = session.tune(static_cast<std::uint8_t>(*value));
        if (tuned.outcome == ServiceOutcome::Cancelled || radio.interrupted())
            return cancel();
        if (!tuned.completed())
            status = kExitFailure;
    }
    // After Cancel on a tuning question the session has left the tuning
    // state and closed the port already.
    if (session.portOpen()) {
        const bool left = leave();
        if (radio.interrupted())
            return cancelled(left);
        if (!left)
            status = kExitFailure;
    }
    return keep(status);
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
    int status = kExitOk;
    const auto args =
        parseArguments("debug", argv, {"--port", "--freq"}, {}, 2, status, "needs ITEM and VALUE");
    if (!args)
        return status;
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

    RadioSession radio;
    const ServiceResult sent =
        sendDebugCommand(radio.port(), port, radio, command, Language::English);
    if (sent.outcome == ServiceOutcome::Cancelled || radio.interrupted())
        return failed(text::kCancelledDebugSetting.en);
    if (!sent.completed())
        return kExitFailure;
    std::cout << text::kFinishSuccessfully.en << "\n";
    return kExitOk;
}

constexpr Command kServiceCommands[] = {
    {"power", "power --port PORT high|low [--set VALUE] [--into FILE]",
     "read or tune the radio's high or low transmit power",
     "Puts the radio into its power tuning state (as High Power Debug or Low\n"
     "Power Debug do), prints the value it reports, with --set sends one tuning\n"
     "write of VALUE (1-250 high, 1-200 low), and always takes the radio out of\n"
     "the tuning state again, on an error too. PORT is COM1-COM4 (/dev/ttyUSB0-3)\n"
     "or any device path; default COM1. On a terminal a failed exchange asks\n"
     "Retry or Cancel; without one it is answered Cancel.\n"
     "--into FILE keeps the value the radio last acknowledged (VALUE when the\n"
     "radio took it, else the value it reported) in the channel file FILE at\n"
     "0xFF9 (high) or 0xFF8 (low) and saves FILE, as the window keeps it in the\n"
     "document when its dialog closes; a run that fails says what FILE now holds.\n"
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
