// High and Low Power Debug against the in-process simulated radio.

#include "PowerDebug.h"
#include "PortTrace.h"
#include "ScriptedHosts.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <gtest/gtest.h>

namespace kx9::test {
namespace {

using namespace std::chrono_literals;
using Calls = std::vector<std::string>;

constexpr std::uint8_t kHighValue = 0x64; // 100
constexpr std::uint8_t kLowValue = 0x32;  // 50

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

const std::vector<std::uint8_t> kExitWakeUp{0x02, 'P', 'R', 'O', 'G', 'P', 'A'};

// Tuning wake-ups: 'G' sent twice in a row.
int countTuningWakeUps(const SimPort &port)
{
    const std::vector<std::string> calls = trace(port.calls());
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
    // Entry wake-ups: the only single-byte send of 'O'.
    int entryWakeUps() const { return countSends(port.calls(), {'O'}); }

    void enter()
    {
        const PowerEntryResult entry = session.enter("COM3");
        ASSERT_TRUE(entry.completed()) << entry.message;
        ASSERT_TRUE(port.isOpen());
    }

    RadioSim radio{radioMemory()};
    SimPort port{radio};
    ScriptedServiceHost host;
    PowerDebugSession session{port, host, kind(), Language::English};
};

INSTANTIATE_TEST_SUITE_P(BothVariants, PowerDebugTest,
                         ::testing::Values(PowerKind::High, PowerKind::Low), [](const auto &info) {
                             return info.param == PowerKind::High ? "High" : "Low";
                         });

// --- The three exchanges on the wire -----------------------------------------

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

// --- Entry ---------------------------------------------------------------------

TEST_P(PowerDebugTest, UnansweredEntryAsksAfterSixAttemptsAndRetryGivesSixMore)
{
    radio.faults().unansweredWakeUps = 8;
    host.answers = {true};
    PowerDebugSession chinese(port, host, kind(), Language::Chinese);
    const PowerEntryResult entry = chinese.enter("COM1");
    ASSERT_TRUE(entry.completed());
    // The power commands speak English whatever the language.
    EXPECT_EQ(host.shown, (std::vector<ScriptedServiceHost::Shown>{
                              {"retrycancel", std::string(text::kCommunicationError.en)}}));
    EXPECT_EQ(entryWakeUps(), 9);
    EXPECT_EQ(host.pumps, 9 * 7);
}

TEST_P(PowerDebugTest, CancelAfterSixUnansweredEntriesClosesThePort)
{
    radio.faults().silent = true;
    const PowerEntryResult entry = session.enter("COM1");
    EXPECT_EQ(entry.outcome, ServiceOutcome::Declined);
    EXPECT_EQ(entryWakeUps(), 6);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(countSends(port.calls(), {'M'}), 0);
    // Each attempt: 7 byte pauses, two 590 ms receives and 1 ms.
    EXPECT_EQ(port.now(), 6 * (7ms + 2 * 590ms + 1ms));
}

TEST_P(PowerDebugTest, WrongEntryRepliesFailTheAttemptWithTheVariantsPause)
{
    struct Row
    {
        std::vector<std::uint8_t> firstReply;
        int attempts;
    };
    const Row rows[] = {
        {{0x16}, 1},       // 16 counts as an acknowledge
        {{0x15, 0x06}, 1}, // one stray byte before it
        {{0x15, 0x16}, 1},
        {{0x15, 0x15}, 2}, // two wrong bytes: the attempt fails
    };
    for (const Row &row : rows) {
        RadioSim r(radioMemory());
        r.faults().firstWakeUpReply = row.firstReply;
        SimPort p(r);
        PowerDebugSession s(p, host, kind(), Language::English);
        ASSERT_TRUE(s.enter("COM1").completed()) << hex(row.firstReply);
        const std::vector<std::string> calls = trace(p.calls());
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "send 41"), row.attempts)
            << hex(row.firstReply);
        if (row.attempts == 2) {
            const auto second = std::find(calls.begin(), calls.end(), "recv 1:15") + 1;
            ASSERT_NE(second, calls.end());
            EXPECT_EQ(*second, "recv 1:15");
            EXPECT_EQ(*(second + 1), high() ? "pause 2" : "pause 1");
        }
    }
    EXPECT_TRUE(host.shown.empty());
}

TEST_P(PowerDebugTest, ShortEntryReplyLeavesTheTuningStateAndClosesThePort)
{
    radio.faults().shortEntryReply = 4;
    const PowerEntryResult entry = session.enter("COM1");
    EXPECT_EQ(entry.outcome, ServiceOutcome::ShortReply);
    EXPECT_EQ(host.shown,
              (std::vector<ScriptedServiceHost::Shown>{{"warning", "Not received enough  byte"}}));
    EXPECT_EQ(trace(port.calls()).back(), "close");
    EXPECT_EQ(countSends(port.calls(), {0x06}), 0);
    EXPECT_FALSE(port.isOpen());
    // The entry code went out: the radio is taken out of the tuning state.
    EXPECT_EQ(radio.serviceState(), RadioSim::ServiceState::None);
    EXPECT_FALSE(session.heldValue());
}

// --- Tuning --------------------------------------------------------------------

// Each tuning fault, its question, and Retry going on to the tuning write.
TEST_P(PowerDebugTest, TuningFaultsAskTheirQuestionAndRetryGoesOn)
{
    struct Row
    {
        int SimFaults::*fault;
        int count;
        int wakeUps;
        std::vector<std::string> questions;
    };
    const Row rows[] = {
        {&SimFaults::unansweredTuningWakeUps, 8, 9, {" Error had happen L1,need try again"}},
        // No seventh wake-up: Retry sends M c at once.
        {&SimFaults::wrongTuningWakeUps, 6, 6, {" Error had happen L2,need try again"}},
        // An unacknowledged write starts again from the wake-up.
        {&SimFaults::unackedTuningWrites, 1, 2, {}},
        {&SimFaults::unackedTuningWrites, 6, 7, {" Error had happen ,need try again"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.count << " " << row.wakeUps);
        RadioSim r(radioMemory());
        SimPort p(r);
        ScriptedServiceHost h;
        h.answers = {true};
        PowerDebugSession s(p, h, kind(), Language::English);
        ASSERT_TRUE(s.enter("COM1").completed());
        r.faults().*row.fault = row.count;
        ASSERT_TRUE(s.tune(200).completed());
        EXPECT_EQ(h.texts(), row.questions);
        EXPECT_EQ(countTuningWakeUps(p), row.wakeUps);
        EXPECT_EQ(r.memory().byte(offset()), 200);
    }
}

// Cancel on any tuning question ends the session: the radio leaves the
// tuning state before the port closes, holding the value it last took;
// closing then finds no port and sends nothing.
TEST_P(PowerDebugTest, CancelOnATuningQuestionLeavesTheTuningStateThenClosesThePort)
{
    struct Row
    {
        int SimFaults::*fault;
        std::string question;
    };
    const Row rows[] = {
        {&SimFaults::unansweredTuningWakeUps, " Error had happen L1,need try again"},
        {&SimFaults::wrongTuningWakeUps, " Error had happen L2,need try again"},
        {&SimFaults::unackedTuningWrites, " Error had happen ,need try again"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.question);
        RadioSim r(radioMemory());
        SimPort p(r);
        ScriptedServiceHost h;
        PowerDebugSession s(p, h, kind(), Language::English);
        ASSERT_TRUE(s.enter("COM1").completed());
        EXPECT_EQ(s.heldValue(), storedValue());
        ASSERT_TRUE(s.tune(120).completed());
        r.faults().*row.fault = 100;
        const ServiceResult tuned = s.tune(30);
        EXPECT_EQ(tuned.outcome, ServiceOutcome::Declined);
        EXPECT_EQ(h.texts(), std::vector<std::string>{row.question});
        EXPECT_EQ(r.serviceState(), RadioSim::ServiceState::None);
        EXPECT_FALSE(p.isOpen());
        EXPECT_EQ(trace(p.calls()).back(), "close");
        EXPECT_EQ(s.heldValue(), 120);
        EXPECT_EQ(r.memory().byte(offset()), 120);

        const std::size_t before = r.record().size();
        EXPECT_EQ(s.leave().outcome, ServiceOutcome::PortNotOpen);
        EXPECT_EQ(h.shown.back().text, text::kMyDebugOpenFailed);
        EXPECT_EQ(r.record().size(), before);
    }
}

TEST(PowerDebugHighTest, TuningWithTheNotOpenPortIsRefusedBeforeAnythingIsSent)
{
    RadioSim radio(radioMemory());
    SimPort port(radio);
    ScriptedServiceHost host;
    PowerDebugSession session(port, host, PowerKind::High, Language::English);
    const ServiceResult tuned = session.tune(30);
    EXPECT_EQ(tuned.outcome, ServiceOutcome::PortNotOpen);
    EXPECT_EQ(host.shown, (std::vector<ScriptedServiceHost::Shown>{
                              {"warning", std::string(text::kPowerDebugOpenFailed)}}));
    EXPECT_TRUE(port.calls().empty());
}

// --- Exit ----------------------------------------------------------------------

TEST_P(PowerDebugTest, ExitIsTriedTenTimesThenThePortClosesWithoutTheExitCode)
{
    enter();
    radio.faults().unansweredExitWakeUps = 1000;
    const std::chrono::milliseconds before = port.now();
    const ServiceResult left = session.leave();
    EXPECT_EQ(left.outcome, ServiceOutcome::ExitUnanswered);
    EXPECT_EQ(host.shown, (std::vector<ScriptedServiceHost::Shown>{
                              {"warning", std::string(text::kServiceExitUnanswered.en)}}));
    EXPECT_EQ(countSends(port.calls(), kExitWakeUp), kPowerExitAttempts);
    EXPECT_EQ(countSends(port.calls(), {'U'}), 0);
    EXPECT_FALSE(port.isOpen());
    // Each attempt: the Low variant's 700 ms, a 590 ms receive, 2 ms.
    EXPECT_EQ(port.now() - before, 10 * ((high() ? 0ms : 700ms) + 590ms + 2ms));
}

TEST_P(PowerDebugTest, ExitAnswered16IsAcceptedOnlyByHigh)
{
    SixteenOnExitPort sixteen(radio);
    PowerDebugSession s(sixteen, host, kind(), Language::English);
    ASSERT_TRUE(s.enter("COM1").completed());
    const ServiceResult left = s.leave();
    EXPECT_EQ(left.outcome, high() ? ServiceOutcome::Completed : ServiceOutcome::ExitUnanswered);
    EXPECT_EQ(countSends(sixteen.calls(), kExitWakeUp), high() ? 1 : kPowerExitAttempts);
}

} // namespace
} // namespace kx9::test
