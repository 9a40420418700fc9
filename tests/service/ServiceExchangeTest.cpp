// High and Low Power Debug and the debug-mode exchange against the
// in-process simulated radio, and the debug dialog's rules for typed
// frequencies, defaults and tone lists.

#include "DebugMode.h"
#include "DebugModeRules.h"
#include "PortTrace.h"
#include "PowerDebug.h"
#include "ScriptedHosts.h"
#include "ServiceTexts.h"
#include "TempFolder.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <type_traits>
#include <utility>

namespace kx9::test {
namespace {

using namespace std::chrono_literals;
using enum ServiceOutcome;
using Calls = std::vector<std::string>;
using Texts = std::vector<std::string>;
using State = RadioSim::ServiceState;

const std::vector<std::uint8_t> kExitWakeUp{0x02, 'P', 'R', 'O', 'G', 'P', 'A'};
const std::string kL1 = " Error had happen L1,need try again";
const std::string kL2 = " Error had happen L2,need try again";
const std::string kWriteError = " Error had happen ,need try again";
const DebugCommand kTxPower47{
    DebugItem::TxPower,     debugFrequencyUnits("466.00000"), debugFrequencyUnits("446.00625"),
    debugToneValue("67.0"), debugToneValue("D023N"),          47};

// A port that can alter the line: the radio answers the exit wake-up with
// 16 instead of 06; its answer to a wake-up comes only after one receive
// timed out; or the program runs late, so that by each purge every byte the
// radio has sent has arrived, as when the process was descheduled.
struct AlteredPort : SimPort
{
    using SimPort::SimPort;
    IoResult send(std::span<const std::uint8_t> bytes) override
    {
        afterExit = bytes.size() == 7 && bytes[5] == 'P';
        late = late || (lateWakeUpAck && bytes.size() == 1 && bytes[0] == 'A');
        return SimPort::send(bytes);
    }
    IoResult receive(std::span<std::uint8_t> buffer) override
    {
        if (std::exchange(late, false))
            return {true, 0};
        const IoResult r = SimPort::receive(buffer);
        if (sixteenOnExit && afterExit && r.count == 1 && buffer[0] == 0x06)
            buffer[0] = 0x16;
        return r;
    }
    bool purge(PurgeKind kind) override
    {
        if (latePurge)
            pause(20ms);
        return SimPort::purge(kind);
    }
    bool sixteenOnExit = false, lateWakeUpAck = false, latePurge = false;
    bool afterExit = false, late = false; // the exit wake-up was sent; a timeout is due
};

// A radio holding 100 (high) and 50 (low) on its own port and host, and a
// power debug session on them; the host answers the first question with
// retry, any later one Cancel.
struct Rig
{
    explicit Rig(PowerKind kind = PowerKind::High, SimFaults faults = {}, bool retry = false,
                 Language language = Language::English)
        : radio({}, std::move(faults)), session(port, host, kind, language)
    {
        ChannelImage memory;
        memory.setByte(0xFF9, 100);
        memory.setByte(0xFF8, 50);
        radio.setMemory(memory);
        host.answers = {retry};
    }
    RadioSim radio;
    AlteredPort port{radio};
    ScriptedServiceHost host;
    PowerDebugSession session;
};

// Faults with one field set, for a table row.
template <typename T> SimFaults with(T SimFaults::*field, std::type_identity_t<T> value)
{
    SimFaults faults;
    faults.*field = std::move(value);
    return faults;
}

// A whole port trace kept as a data file, one call a line as trace() writes it.
Calls golden(const std::string &name)
{
    return test::lines(test::slurp(std::string(KX9_TEST_DATA) + "/service/" + name));
}

class PowerDebugTest : public ::testing::TestWithParam<PowerKind>
{
protected:
    bool high() const { return GetParam() == PowerKind::High; }
};

INSTANTIATE_TEST_SUITE_P(BothVariants, PowerDebugTest,
                         ::testing::Values(PowerKind::High, PowerKind::Low), [](const auto &info) {
                             return info.param == PowerKind::High ? "High" : "Low";
                         });

TEST_P(PowerDebugTest, EntryTuningAndExitGoByteForByte)
{
    auto &&[radio, port, host, session] = Rig(GetParam());
    const PowerEntryResult entry = session.enter("COM3");
    ASSERT_EQ(std::tuple(entry.outcome, entry.value, port.openedName(), port.profile()),
              std::tuple(Completed, high() ? 100 : 50, "COM3", kProgrammingProfile));
    // One tuning write, as one click on the right arrow at 125 sends it.
    ASSERT_TRUE(session.tune(126).completed());
    ASSERT_TRUE(session.leave().completed());
    EXPECT_EQ(trace(port.calls()), golden(high() ? "power-high.txt" : "power-low.txt"));
    EXPECT_EQ(std::tuple(host.pumps, radio.memory().byte(high() ? 0xFF9 : 0xFF8),
                         radio.serviceState(), host.texts()),
              std::tuple(7 + 3 * 7, 126, State::None, Texts{}));
}

// Each entry fault: the outcome, the question or warning (in English whatever
// the language), and the wake-ups sent. Only a completed entry leaves the
// port open and the radio in the tuning state; a short reply came after the
// entry code, so the radio is taken out again.
TEST_P(PowerDebugTest, EntryFaultsEndAsTheyShould)
{
    const std::string error(text::kCommunicationError.en);
    // Faults, Retry at the question, outcome, entry wake-ups sent, texts shown.
    const std::tuple<SimFaults, bool, ServiceOutcome, int, Texts> rows[] = {
        {with(&SimFaults::unansweredWakeUps, 8), true, Completed, 9, {error}},
        {with(&SimFaults::silent, true), false, Declined, 6, {error}},
        {with(&SimFaults::shortEntryReply, 4), false, ShortReply, 1, {"Not received enough  byte"}},
        // 16 counts as an acknowledge, and one stray byte before it is passed.
        {with(&SimFaults::firstWakeUpReply, {0x16}), false, Completed, 1, {}},
        {with(&SimFaults::firstWakeUpReply, {0x15, 0x06}), false, Completed, 1, {}},
        {with(&SimFaults::firstWakeUpReply, {0x15, 0x16}), false, Completed, 1, {}},
        {with(&SimFaults::firstWakeUpReply, {0x15, 0x15}), false, Completed, 2, {}},
    };
    for (const auto &[faults, retry, outcome, wakeUps, shown] : rows) {
        SCOPED_TRACE(testing::Message() << wakeUps << " " << hex(faults.firstWakeUpReply));
        auto &&[radio, port, host, s] = Rig(GetParam(), faults, retry, Language::Chinese);
        // Only an entry acknowledges the reply, with 06 as its last send; two
        // wrong bytes fail an attempt, with the variant's pause after them.
        const bool entered = outcome == Completed;
        EXPECT_EQ(s.enter("COM1").outcome, outcome);
        const Calls calls = trace(port.calls());
        const auto wrong = std::ranges::search(calls, Calls{"recv 1:15", "recv 1:15"}).end();
        EXPECT_EQ(
            std::tuple(host.texts(), countSends(port.calls(), {'O'}), host.pumps, port.isOpen(),
                       radio.serviceState(), s.heldValue() == (high() ? 100 : 50), calls.back(),
                       countSends(port.calls(), {0x06}), wrong == calls.end() ? "" : *wrong),
            std::tuple(shown, wakeUps, wakeUps * 7, entered, entered ? State::Entered : State::None,
                       entered, entered ? "send 06" : "close", entered ? 1 : 0,
                       wakeUps == 2 ? (high() ? "pause 2" : "pause 1") : ""));
        // Each attempt: 7 byte pauses, two 590 ms receives and 1 ms; no entry command.
        if (faults.silent) {
            EXPECT_EQ(std::tuple(port.now(), countSends(port.calls(), {'M'})),
                      std::tuple(6 * (7ms + 2 * 590ms + 1ms), 0));
        }
    }
}

// Each tuning fault asks its question. Retry goes on to the tuning write;
// Cancel ends the session: the radio leaves the tuning state before the port
// closes, holding the value it last took, and later tuning or closing finds
// no port and sends nothing.
TEST_P(PowerDebugTest, TuningFaultsAskTheirQuestionThenRetryGoesOnAndCancelLeaves)
{
    // The fault and how often, Retry at the question, tuning wake-ups sent, questions.
    const std::tuple<int SimFaults::*, int, bool, int, Texts> rows[] = {
        {&SimFaults::unansweredTuningWakeUps, 8, true, 9, {kL1}},
        // Retry sends M c at once.
        {&SimFaults::wrongTuningWakeUps, 6, true, 6, {kL2}},
        // An unacknowledged write starts again from the wake-up.
        {&SimFaults::unackedTuningWrites, 1, true, 2, {}},
        {&SimFaults::unackedTuningWrites, 6, true, 7, {kWriteError}},
        {&SimFaults::unansweredTuningWakeUps, 100, false, 6, {kL1}},
        {&SimFaults::wrongTuningWakeUps, 100, false, 6, {kL2}},
        {&SimFaults::unackedTuningWrites, 100, false, 6, {kWriteError}},
    };
    for (const auto &[fault, count, retry, wakeUps, questions] : rows) {
        SCOPED_TRACE(testing::Message() << count << " " << wakeUps);
        auto &&[radio, port, host, s] = Rig(GetParam(), {}, retry);
        ASSERT_TRUE(s.enter("COM1").completed());
        ASSERT_TRUE(retry || s.tune(120).completed()); // the value a Cancel row ends with
        const std::size_t from = port.calls().size();
        radio.faults().*fault = count;
        EXPECT_EQ(s.tune(200).outcome, retry ? Completed : Declined);
        // Each tuning wake-up starts with 02.
        const auto wakeUpsSent = std::ranges::count(trace(port.calls(), from), "send 02");
        EXPECT_EQ(
            std::tuple(host.texts(), wakeUpsSent, radio.memory().byte(high() ? 0xFF9 : 0xFF8)),
            std::tuple(questions, wakeUps, retry ? 200 : 120));
        if (retry)
            continue;
        EXPECT_EQ(std::tuple(radio.serviceState(), port.isOpen(), trace(port.calls()).back(),
                             s.heldValue()),
                  std::tuple(State::None, false, "close", 120));

        // Only High checks the port before a tuning write (the dialog turns the
        // bar off for both).
        const std::size_t closed = port.calls().size();
        if (high()) {
            EXPECT_EQ((std::tuple{s.tune(30).outcome, host.texts().back()}),
                      std::tuple(PortNotOpen, text::kPowerDebugOpenFailed));
        }
        EXPECT_EQ((std::tuple{s.leave().outcome, host.texts().back(), port.calls().size()}),
                  std::tuple(PortNotOpen, text::kMyDebugOpenFailed, closed));
    }
}

// Ten unanswered exits, then the port closes without the exit code; a radio
// answering the exit with 16 is taken only by High.
TEST_P(PowerDebugTest, ExitIsTriedTenTimesAndSixteenAnswersOnlyHigh)
{
    auto &&[radio, port, host, session] = Rig(GetParam());
    ASSERT_TRUE(session.enter("COM3").completed());
    radio.faults().unansweredExitWakeUps = 1000;
    const std::chrono::milliseconds before = port.now();
    EXPECT_EQ(session.leave().outcome, ExitUnanswered);
    const std::string unanswered(text::kServiceExitUnanswered.en);
    EXPECT_EQ(std::tuple(host.texts(), countSends(port.calls(), kExitWakeUp),
                         countSends(port.calls(), {'U'}), port.isOpen()),
              std::tuple(Texts{unanswered}, kPowerExitAttempts, 0, false));
    // Each attempt: the Low variant's 700 ms, a 590 ms receive, 2 ms.
    EXPECT_EQ(port.now() - before, 10 * ((high() ? 0ms : 700ms) + 590ms + 2ms));

    Rig sixteen(GetParam());
    sixteen.port.sixteenOnExit = true;
    ASSERT_TRUE(sixteen.session.enter("COM1").completed());
    EXPECT_EQ(sixteen.session.leave().outcome, high() ? Completed : ExitUnanswered);
    EXPECT_EQ(countSends(sixteen.port.calls(), kExitWakeUp), high() ? 1 : kPowerExitAttempts);

    // Cancel at a tuning question leaves the tuning state; an exit that goes
    // unanswered then is said too.
    Rig silent(GetParam(), with(&SimFaults::unansweredExitWakeUps, 1000));
    silent.radio.faults().unackedTuningWrites = 100;
    ASSERT_TRUE(silent.session.enter("COM1").completed());
    EXPECT_EQ(silent.session.tune(200).outcome, Declined);
    EXPECT_EQ(silent.host.texts(), (Texts{kWriteError, unanswered}));

    // A stop before the entry code went out leaves a radio that was never
    // put into tuning: the leave only closes the port.
    Rig stopped(GetParam(), with(&SimFaults::silent, true));
    stopped.host.cancel = true;
    EXPECT_EQ(stopped.session.enter("COM1").outcome, Cancelled);
    EXPECT_EQ(stopped.session.leave().outcome, Completed);
    EXPECT_EQ(std::tuple(stopped.port.isOpen(), countSends(stopped.port.calls(), kExitWakeUp),
                         stopped.host.texts()),
              std::tuple(false, 0, Texts{}));
}

// --- The debug-mode exchange ----------------------------------------------------

TEST(DebugExchangeTest, SettingGoesByteForByteWithAPurgeBeforeEverySend)
{
    auto &&[radio, port, host, session] = Rig();
    ASSERT_TRUE(sendDebugCommand(port, "COM4", host, kTxPower47).completed());
    // The caller says "Finish successfully!".
    EXPECT_EQ(
        std::tuple(port.openedName(), port.profile(), radio.debugSettings().size(), host.texts()),
        std::tuple("COM4", kDebugProfile, 1u, Texts{}));
    // After the handshake: the ready 06, x and the item code, then the
    // frequency and the tone block, each answered with H.
    EXPECT_EQ(trace(port.calls()), golden("debug-setting.txt"));
}

// Each exchange fault, its question (in the chosen language), the wake-ups
// sent and the one open of the port, which is closed at the end whatever
// happened. One stray byte before the wake-up's 06 is passed; Retry starts
// again from the wake-up.
TEST(DebugFaultTest, EachFaultAsksAndRetryStartsAgainFromTheWakeUp)
{
    // Faults, Retry at the question, wake-ups sent, whether it asks.
    const std::tuple<SimFaults, bool, int, bool> rows[] = {
        {with(&SimFaults::silent, true), false, 1, true},
        {with(&SimFaults::firstWakeUpReply, {0x15, 0x06}), false, 1, false},
        {with(&SimFaults::firstWakeUpReply, {0x15, 0x15}), true, 2, true},
        {with(&SimFaults::wrongDebugReplies, 1), true, 2, true},
    };
    const std::string error(text::kDebugError.zh);
    for (const auto &[faults, retry, wakeUps, asks] : rows) {
        SCOPED_TRACE(testing::Message() << wakeUps << " " << hex(faults.firstWakeUpReply));
        auto &&[radio, port, host, session] = Rig(PowerKind::High, faults, retry);
        const ServiceResult result =
            sendDebugCommand(port, "COM4", host, kTxPower47, Language::Chinese);
        EXPECT_EQ(std::tuple(result.outcome, result.message, host.texts(),
                             countSends(port.calls(), {'O'}), port.opens(), port.isOpen(),
                             radio.debugSettings().size()),
                  std::tuple(faults.silent ? Declined : Completed, faults.silent ? error : "",
                             asks ? Texts{error} : Texts{}, wakeUps, 1, false,
                             faults.silent ? 0u : 1u));
        if (faults.silent) { // seven 1 ms pauses and two receives of 50 + 50 ms
            EXPECT_EQ(port.now(), 7ms + 2 * 100ms);
        }
    }
}

// Replies that come late or early: a wake-up answered only after one receive
// timed out is followed by a second receive, as in the transfer; a reply
// already in when the program runs again is never purged. Both power debug
// and debug mode still make one pass without a question.
TEST(ReplyTimingTest, LateAndEarlyRepliesStillMakeOnePass)
{
    for (const bool latePurge : {false, true}) {
        for (const bool power : {true, false}) {
            SCOPED_TRACE(testing::Message() << "late purge " << latePurge << ", power " << power);
            auto &&[radio, port, host, session] = Rig(PowerKind::Low);
            port.lateWakeUpAck = !latePurge;
            port.latePurge = latePurge;
            EXPECT_TRUE(power ? session.enter("COM1").completed()
                              : sendDebugCommand(port, "COM4", host, kTxPower47).completed());
            // A tuning wake-up has one receive, so not for a late answer.
            if (power && latePurge) {
                EXPECT_EQ((std::tuple{session.tune(30).completed(), session.leave().completed(),
                                      radio.memory().byte(0xFF8)}),
                          std::tuple(true, true, 30));
            }
            // No reply was lost: every receive the radio answered got all it asked for.
            const auto shortReceives = std::ranges::count_if(port.calls(), [](const auto &c) {
                return c.kind == SimPort::Call::Kind::Receive && c.bytes.size() < c.asked;
            });
            EXPECT_EQ(std::tuple(countSends(port.calls(), {'O'}), shortReceives, host.texts(),
                                 radio.debugSettings().size()),
                      std::tuple(1, 0, Texts{}, power ? 0u : 1u));
        }
    }
}

// The debug mode tells in the current language, the power commands in
// English whatever the language; nothing reaches the radio.
TEST(ServiceOpenTest, PortThatCannotBeOpenedIsToldAndNothingIsSent)
{
    for (const bool power : {true, false}) {
        auto &&[radio, port, host, session] = Rig(PowerKind::High, {}, false, Language::Chinese);
        port.failOpen(power ? OpenError::Busy : OpenError::Missing);
        const ServiceOutcome outcome =
            power ? session.enter("COM2").outcome
                  : sendDebugCommand(port, "COM2", host, kTxPower47, Language::Chinese).outcome;
        ASSERT_EQ(host.shown.size(), 1u);
        const auto told = text::kOpenPortFailed.in(power ? Language::English : Language::Chinese);
        EXPECT_EQ(std::tuple(outcome, host.shown[0].text, radio.record().empty()),
                  std::tuple(OpenFailed, told, true));
    }
}

TEST(DebugEncodingTest, FrequenciesAndTonesBecomeBcdLowPairFirst)
{
    // Receive frequency and tone; the frequency block (rx, then tx always
    // 456.00000) and the tone block. 446.00625 and 67.0 are in the golden
    // debug-setting trace.
    const std::tuple<const char *, const char *, const char *, const char *> rows[] = {
        {"469.99375", "254.1", "75 93 99 46 00 00 60 45", "41 25 00 00 FB 01 01 05"},
        {"446.1", "69.3", "00 00 61 44 00 00 60 45", "93 06 00 00 FB 01 01 05"},
        {"", "Off", "00 00 00 00 00 00 60 45", "00 00 00 00 FB 01 01 05"},
        {"-3", "D754I", "00 00 00 00 00 00 60 45", "00 00 00 00 FB 01 01 05"},
    };
    const std::uint32_t tx = debugFrequencyUnits("456");
    for (const auto &[rx, rxTone, frequencyBlock, toneBlock] : rows) {
        const DebugCommand c{
            DebugItem::TxFrequency, debugFrequencyUnits(rx), tx, debugToneValue(rxTone), 0, 5};
        EXPECT_EQ(std::tuple(hex(debugFrequencyBlock(c)), hex(debugToneBlock(c))),
                  std::tuple(frequencyBlock, toneBlock))
            << rx << " " << rxTone;
    }
}

// --- Rules of the dialog --------------------------------------------------------

TEST(DebugRulesTest, EnterHoldsTheFrequencyToTheRangeAndRoundsToTheStep)
{
    // Typed text, step, shown frequency in 10 Hz units.
    const std::tuple<const char *, DebugStep, std::uint32_t> rows[] = {
        // Outside B..B+20 the nearest end, whatever the step.
        {"470", DebugStep::Khz500, 46600000},
        {"466.00001", DebugStep::Khz625, 46600000},
        {"445.99999", DebugStep::Khz500, 44600000},
        {"12", DebugStep::Khz625, 44600000},
        {"no number", DebugStep::Khz500, 44600000},
        {"466", DebugStep::Khz625, 46600000}, // the end itself is inside
        // 5.00 kHz: a remainder of 250 rounds down, 251 up.
        {"446.00250", DebugStep::Khz500, 44600000},
        {"446.00251", DebugStep::Khz500, 44600500},
        {"455.99749", DebugStep::Khz500, 45599500},
        {"446.00625", DebugStep::Khz500, 44600500},
        // 6.25 kHz: 312 rounds down, 313 up.
        {"456.00312", DebugStep::Khz625, 45600000},
        {"456.00313", DebugStep::Khz625, 45600625},
        {"446.00625", DebugStep::Khz625, 44600625},
        {"465.99999", DebugStep::Khz625, 46600000},
    };
    for (const auto &[typed, step, shown] : rows)
        EXPECT_EQ(snapDebugFrequency(typed, step), shown)
            << '"' << typed << (step == DebugStep::Khz500 ? "\" at 5.00" : "\" at 6.25");
}

// The value Default puts back on each item page; a frequency page's defaults
// are what DebugDialogTest sees sent and shown.
TEST(DebugRulesTest, DefaultOfEachItem)
{
    using enum DebugItem;
    EXPECT_EQ(std::tuple(defaultDebugValue(TxFrequency), defaultDebugValue(LowPowerVoltage),
                         defaultDebugValue(SquelchLevel), defaultDebugValue(TxPower)),
              std::tuple(91, 38, 160, 47));
}

TEST(DebugRulesTest, ShownMhzAndTheRadiosBand)
{
    EXPECT_EQ(
        std::tuple(formatDebugMhz(std::uint32_t{46600000}), formatDebugMhz(std::uint32_t{44600625}),
                   formatDebugMhz(std::uint32_t{0}), formatDebugMhz(456.0),
                   debugFrequencyInBand(39999999), debugFrequencyInBand(40000000),
                   debugFrequencyInBand(47000000), debugFrequencyInBand(47000001)),
        std::tuple("466.00000", "446.00625", " 0.00000", "456.00000", false, true, true, false));
}

} // namespace
} // namespace kx9::test
