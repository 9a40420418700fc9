// High and Low Power Debug against the in-process simulated radio.

#include "PowerDebug.h"
#include "FaultRows.h"
#include "PortTrace.h"
#include "ScriptedHosts.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <gtest/gtest.h>

namespace kx9::test {
namespace {

using namespace std::chrono_literals;
using Calls = std::vector<std::string>;
using Texts = std::vector<std::string>;

constexpr std::uint8_t kHighValue = 0x64; // 100
constexpr std::uint8_t kLowValue = 0x32;  // 50
const std::vector<std::uint8_t> kExitWakeUp{0x02, 'P', 'R', 'O', 'G', 'P', 'A'};
const std::string kL1 = " Error had happen L1,need try again";
const std::string kL2 = " Error had happen L2,need try again";
const std::string kWriteError = " Error had happen ,need try again";

ChannelImage radioMemory()
{
    ChannelImage memory;
    memory.setByte(0xFF9, kHighValue);
    memory.setByte(0xFF8, kLowValue);
    return memory;
}

// A port whose radio answers the exit wake-up with 16 instead of 06.
class SixteenOnExitPort : public SimPort
{
public:
    using SimPort::SimPort;
    IoResult send(std::span<const std::uint8_t> bytes) override
    {
        m_afterExit = bytes.size() == 7 && bytes[5] == 'P';
        return SimPort::send(bytes);
    }
    IoResult receive(std::span<std::uint8_t> buffer) override
    {
        const IoResult r = SimPort::receive(buffer);
        if (m_afterExit && r.count == 1 && buffer[0] == 0x06)
            buffer[0] = 0x16;
        return r;
    }
    using SimPort::send;

private:
    bool m_afterExit = false;
};

// Tuning wake-ups: 'G' sent twice in a row.
int countTuningWakeUps(const SimPort &port, std::size_t from)
{
    const Calls calls = trace(port.calls(), from);
    int n = 0;
    for (std::size_t i = 0; i + 2 < calls.size(); ++i)
        n += calls[i] == "send 47" && calls[i + 2] == "send 47";
    return n;
}

class PowerDebugTest : public ::testing::TestWithParam<PowerKind>
{
protected:
    PowerKind kind() const { return GetParam(); }
    bool high() const { return kind() == PowerKind::High; }
    std::size_t offset() const { return high() ? 0xFF9 : 0xFF8; }
    std::uint8_t storedValue() const { return high() ? kHighValue : kLowValue; }

    RadioSim radio{radioMemory()};
    SimPort port{radio};
    ScriptedServiceHost host;
    PowerDebugSession session{port, host, kind(), Language::English};
};

INSTANTIATE_TEST_SUITE_P(BothVariants, PowerDebugTest,
                         ::testing::Values(PowerKind::High, PowerKind::Low), [](const auto &info) {
                             return info.param == PowerKind::High ? "High" : "Low";
                         });

TEST_P(PowerDebugTest, EntryTuningAndExitGoByteForByte)
{
    const PowerEntryResult entry = session.enter("COM3");
    ASSERT_TRUE(entry.completed());
    EXPECT_EQ(entry.value, storedValue());
    EXPECT_EQ(port.openedName(), "COM3");
    EXPECT_EQ(port.profile(), kProgrammingProfile);
    const std::string code = high() ? "53" : "52";
    const Calls entryCalls =
        Calls{"open", "purge abort"} + bytewise("\x02PROGRA", 1, 0) + Calls{"recv 1:06"} +
        bytewise(high() ? "MS" : "MR", 1, 0) +
        Calls{"recv 5:4D " + code + " 00 00 " + hex(std::vector{storedValue()})} +
        bytewise("\x06", 1, 0);
    EXPECT_EQ(trace(port.calls()), entryCalls);
    EXPECT_EQ(host.pumps, 7);
    EXPECT_EQ(radio.serviceState(), RadioSim::ServiceState::Entered);

    // One click on the right arrow at 125.
    const std::size_t tuningFrom = port.calls().size();
    ASSERT_TRUE(session.tune(126).completed());
    const Calls pumped(7, "pause 1");
    const Calls tuningCalls =
        bytewise("\x02PRGGPA", 0, 0) + Calls{"recv 1:06"} + pumped +
        Calls{"pause 1", "purge", "send 4D", "pause 1", "purge", "send 63", "recv 1:06"} + pumped +
        Calls{"pause 1", "purge",   "pause 1", "send 57", "pause 1", "send 03",
              "pause 1", "send F9", "pause 1", "send 01", "send 7E", "recv 1:06"} +
        pumped;
    EXPECT_EQ(trace(port.calls(), tuningFrom), tuningCalls);
    EXPECT_EQ(host.pumps, 7 + 3 * 7);
    EXPECT_EQ(radio.memory().byte(offset()), 126);

    const std::size_t exitFrom = port.calls().size();
    ASSERT_TRUE(session.leave().completed());
    const Calls exitCalls = (high() ? Calls{"purge"} : Calls{"purge", "pause 700"}) +
                            Calls{"purge abort", "send 02 50 52 4F 47 50 41",
                                  "recv 1:06",   "pause 1",
                                  "send 4D",     "pause 1",
                                  "send 55",     "close"};
    EXPECT_EQ(trace(port.calls(), exitFrom), exitCalls);
    EXPECT_EQ(radio.serviceState(), RadioSim::ServiceState::None);
    EXPECT_TRUE(host.shown.empty());
}

// Each entry fault: the outcome, the question or warning (in English whatever
// the language), and the wake-ups sent. Only a completed entry leaves the
// port open and the radio in the tuning state; a short reply came after the
// entry code, so the radio is taken out again.
TEST_P(PowerDebugTest, EntryFaultsEndAsTheyShould)
{
    struct Row
    {
        SimFaults faults;
        bool retry;
        ServiceOutcome outcome;
        int wakeUps;
        Texts shown;
    };
    using enum ServiceOutcome;
    const std::string error(text::kCommunicationError.en);
    const Row rows[] = {
        {with(&SimFaults::unansweredWakeUps, 8), true, Completed, 9, {error}},
        {with(&SimFaults::silent, true), false, Declined, 6, {error}},
        {with(&SimFaults::shortEntryReply, 4), false, ShortReply, 1, {"Not received enough  byte"}},
        // 16 counts as an acknowledge, and one stray byte before it is passed.
        {with(&SimFaults::firstWakeUpReply, Bytes{0x16}), false, Completed, 1, {}},
        {with(&SimFaults::firstWakeUpReply, Bytes{0x15, 0x06}), false, Completed, 1, {}},
        {with(&SimFaults::firstWakeUpReply, Bytes{0x15, 0x16}), false, Completed, 1, {}},
        {with(&SimFaults::firstWakeUpReply, Bytes{0x15, 0x15}), false, Completed, 2, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.wakeUps << " " << hex(row.faults.firstWakeUpReply));
        RadioSim r(radioMemory(), row.faults);
        SimPort p(r);
        ScriptedServiceHost h;
        h.answers = {row.retry};
        PowerDebugSession s(p, h, kind(), Language::Chinese);
        const bool entered = row.outcome == ServiceOutcome::Completed;
        EXPECT_EQ(s.enter("COM1").outcome, row.outcome);
        EXPECT_EQ(h.texts(), row.shown);
        EXPECT_EQ(countSends(p.calls(), {'O'}), row.wakeUps);
        if (entered) {
            EXPECT_EQ(h.pumps, row.wakeUps * 7);
        }
        EXPECT_EQ(p.isOpen(), entered);
        EXPECT_EQ(r.serviceState(),
                  entered ? RadioSim::ServiceState::Entered : RadioSim::ServiceState::None);
        EXPECT_EQ(s.heldValue().has_value(), entered);
        const Calls calls = trace(p.calls());
        if (!entered) { // no ack of a short reply
            EXPECT_EQ(calls.back(), "close");
            EXPECT_EQ(countSends(p.calls(), {0x06}), 0);
        }
        if (row.faults.silent) { // each attempt: 7 byte pauses, two 590 ms receives and 1 ms
            EXPECT_EQ(p.now(), 6 * (7ms + 2 * 590ms + 1ms));
            EXPECT_EQ(countSends(p.calls(), {'M'}), 0); // no entry command
        }
        if (row.wakeUps == 2) { // two wrong bytes fail the attempt, with the variant's pause
            const auto second = std::find(calls.begin(), calls.end(), "recv 1:15") + 1;
            ASSERT_LT(second + 1, calls.end());
            EXPECT_EQ(*second + "|" + *(second + 1),
                      high() ? "recv 1:15|pause 2" : "recv 1:15|pause 1");
        }
    }
}

// Each tuning fault asks its question. Retry goes on to the tuning write;
// Cancel ends the session: the radio leaves the tuning state before the port
// closes, holding the value it last took, and later tuning or closing finds
// no port and sends nothing.
TEST_P(PowerDebugTest, TuningFaultsAskTheirQuestionThenRetryGoesOnAndCancelLeaves)
{
    struct Row
    {
        int SimFaults::*fault;
        int count;
        bool retry;
        int wakeUps;
        Texts questions;
    };
    const Row rows[] = {
        {&SimFaults::unansweredTuningWakeUps, 8, true, 9, {kL1}},
        {&SimFaults::wrongTuningWakeUps, 6, true, 6, {kL2}}, // Retry sends M c at once
        // An unacknowledged write starts again from the wake-up.
        {&SimFaults::unackedTuningWrites, 1, true, 2, {}},
        {&SimFaults::unackedTuningWrites, 6, true, 7, {kWriteError}},
        {&SimFaults::unansweredTuningWakeUps, 100, false, 6, {kL1}},
        {&SimFaults::wrongTuningWakeUps, 100, false, 6, {kL2}},
        {&SimFaults::unackedTuningWrites, 100, false, 6, {kWriteError}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.count << " " << row.wakeUps);
        RadioSim r(radioMemory());
        SimPort p(r);
        ScriptedServiceHost h;
        h.answers = {row.retry};
        PowerDebugSession s(p, h, kind(), Language::English);
        ASSERT_TRUE(s.enter("COM1").completed());
        EXPECT_EQ(s.heldValue(), storedValue());
        if (!row.retry) { // the value the radio last took, for the Cancel rows
            ASSERT_TRUE(s.tune(120).completed());
        }
        const std::size_t from = p.calls().size();
        r.faults().*row.fault = row.count;
        const ServiceResult tuned = s.tune(200);
        EXPECT_EQ(tuned.outcome, row.retry ? ServiceOutcome::Completed : ServiceOutcome::Declined);
        EXPECT_EQ(h.texts(), row.questions);
        EXPECT_EQ(countTuningWakeUps(p, from), row.wakeUps);
        EXPECT_EQ(r.memory().byte(offset()), row.retry ? 200 : 120);
        if (row.retry)
            continue;
        EXPECT_EQ(r.serviceState(), RadioSim::ServiceState::None);
        EXPECT_FALSE(p.isOpen());
        EXPECT_EQ(trace(p.calls()).back(), "close");
        EXPECT_EQ(s.heldValue(), 120);

        // Only High checks the port before a tuning write (the dialog turns the
        // bar off for both).
        const std::size_t closed = p.calls().size();
        if (high()) {
            EXPECT_EQ(s.tune(30).outcome, ServiceOutcome::PortNotOpen);
            EXPECT_EQ(h.texts().back(), text::kPowerDebugOpenFailed);
        }
        EXPECT_EQ(s.leave().outcome, ServiceOutcome::PortNotOpen);
        EXPECT_EQ(h.texts().back(), text::kMyDebugOpenFailed);
        EXPECT_EQ(p.calls().size(), closed);
    }
}

// Ten unanswered exits, then the port closes without the exit code; a radio
// answering the exit with 16 is taken only by High.
TEST_P(PowerDebugTest, ExitIsTriedTenTimesAndSixteenAnswersOnlyHigh)
{
    ASSERT_TRUE(session.enter("COM3").completed());
    radio.faults().unansweredExitWakeUps = 1000;
    const std::chrono::milliseconds before = port.now();
    EXPECT_EQ(session.leave().outcome, ServiceOutcome::ExitUnanswered);
    EXPECT_EQ(host.texts(), Texts{std::string(text::kServiceExitUnanswered.en)});
    EXPECT_EQ(countSends(port.calls(), kExitWakeUp), kPowerExitAttempts);
    EXPECT_EQ(countSends(port.calls(), {'U'}), 0);
    EXPECT_FALSE(port.isOpen());
    // Each attempt: the Low variant's 700 ms, a 590 ms receive, 2 ms.
    EXPECT_EQ(port.now() - before, 10 * ((high() ? 0ms : 700ms) + 590ms + 2ms));

    RadioSim r(radioMemory());
    SixteenOnExitPort sixteen(r);
    PowerDebugSession s(sixteen, host, kind(), Language::English);
    ASSERT_TRUE(s.enter("COM1").completed());
    EXPECT_EQ(s.leave().outcome,
              high() ? ServiceOutcome::Completed : ServiceOutcome::ExitUnanswered);
    EXPECT_EQ(countSends(sixteen.calls(), kExitWakeUp), high() ? 1 : kPowerExitAttempts);

    // Cancel at a tuning question leaves the tuning state; an exit that goes
    // unanswered then is said too.
    RadioSim silent(radioMemory());
    SimPort line(silent);
    ScriptedServiceHost h;
    h.answers = {false};
    PowerDebugSession cancelled(line, h, kind(), Language::English);
    ASSERT_TRUE(cancelled.enter("COM1").completed());
    silent.faults().unackedTuningWrites = 100;
    silent.faults().unansweredExitWakeUps = 1000;
    EXPECT_EQ(cancelled.tune(200).outcome, ServiceOutcome::Declined);
    EXPECT_EQ(h.texts(), (Texts{kWriteError, std::string(text::kServiceExitUnanswered.en)}));
}

} // namespace
} // namespace kx9::test
