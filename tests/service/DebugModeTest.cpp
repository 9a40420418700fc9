// The debug-mode exchange against the in-process simulated radio, and the
// dialog's rules for typed frequencies, defaults and tone lists.

#include "DebugMode.h"
#include "DebugModeRules.h"
#include "FaultRows.h"
#include "PortTrace.h"
#include "PowerDebug.h"
#include "ScriptedHosts.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace kx9::test {
namespace {

using namespace std::chrono_literals;

const DebugCommand kTxPower47{
    DebugItem::TxPower,     debugFrequencyUnits("466.00000"), debugFrequencyUnits("446.00625"),
    debugToneValue("67.0"), debugToneValue("D023N"),          47};

TEST(DebugExchangeTest, SettingGoesByteForByteWithAPurgeBeforeEverySend)
{
    RadioSim radio;
    SimPort port(radio);
    ScriptedServiceHost host;
    ASSERT_TRUE(sendDebugCommand(port, "COM4", host, kTxPower47).completed());
    EXPECT_EQ(port.openedName(), "COM4");
    EXPECT_EQ(port.profile(), kDebugProfile);
    // After the handshake: the ready 06, x and the item code, then the
    // frequency and the tone block, each answered with H.
    using Calls = std::vector<std::string>;
    const Calls expected =
        Calls{"open"} + bytewise("\x02PROGRA", 0, 1) + Calls{"recv 1:06"} +
        bytewise("\x4D\x02", 1, 0) + Calls{"recv 8:4B 58 39 00 FF 00 00 00"} +
        bytewise("\x06", 1, 0) + Calls{"recv 1:06"} + bytewise("xt", 1, 0) +
        Calls{"pause 1", "purge", "send 74 08", "recv 1:48"} +
        Calls{"pause 1", "purge", "send 00 00 60 46 25 06 60 44", "recv 1:48"} +
        Calls{"pause 1", "purge", "send 70 06 00 00 FB 01 01 2F", "recv 1:48", "close"};
    EXPECT_EQ(trace(port.calls()), expected);
    EXPECT_EQ(radio.debugSettings().size(), 1u);
    EXPECT_TRUE(host.shown.empty()); // the caller says "Finish successfully!"
}

// Each exchange fault, its question (in the chosen language), the wake-ups
// sent and the one open of the port, which is closed at the end whatever
// happened. One stray byte before the wake-up's 06 is passed; Retry starts
// again from the wake-up.
TEST(DebugFaultTest, EachFaultAsksAndRetryStartsAgainFromTheWakeUp)
{
    struct Row
    {
        SimFaults faults;
        bool retry;
        int wakeUps;
        bool asks;
    };
    const Row rows[] = {
        {with(&SimFaults::silent, true), false, 1, true},
        {with(&SimFaults::firstWakeUpReply, Bytes{0x15, 0x06}), false, 1, false},
        {with(&SimFaults::firstWakeUpReply, Bytes{0x15, 0x15}), true, 2, true},
        {with(&SimFaults::wrongDebugReplies, 1), true, 2, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.wakeUps << " " << hex(row.faults.firstWakeUpReply));
        RadioSim radio({}, row.faults);
        SimPort port(radio);
        ScriptedServiceHost host;
        host.answers = {row.retry};
        const ServiceResult result =
            sendDebugCommand(port, "COM4", host, kTxPower47, Language::Chinese);
        EXPECT_EQ(result.completed(), !row.faults.silent);
        EXPECT_EQ(host.texts(), row.asks
                                    ? std::vector<std::string>{std::string(text::kDebugError.zh)}
                                    : std::vector<std::string>{});
        EXPECT_EQ(countSends(port.calls(), {'O'}), row.wakeUps);
        EXPECT_EQ(port.opens(), 1);
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(radio.debugSettings().size(), row.faults.silent ? 0u : 1u);
        if (row.faults.silent) { // seven 1 ms pauses and two receives of 50 + 50 ms
            EXPECT_EQ(result.outcome, ServiceOutcome::Declined);
            EXPECT_EQ(result.message, text::kDebugError.zh);
            EXPECT_EQ(port.now(), 7ms + 2 * 100ms);
        }
    }
}

// A radio whose answer to the wake-up comes only after one receive timed out.
class LateWakeUpAckPort : public SimPort
{
public:
    using SimPort::SimPort;
    IoResult send(std::span<const std::uint8_t> bytes) override
    {
        m_late = m_late || (bytes.size() == 1 && bytes[0] == 'A');
        return SimPort::send(bytes);
    }
    IoResult receive(std::span<std::uint8_t> buffer) override
    {
        if (std::exchange(m_late, false))
            return {true, 0};
        return SimPort::receive(buffer);
    }
    using SimPort::send;

private:
    bool m_late = false;
};

// A machine that runs the program late: by each purge, every byte the radio
// has sent so far has arrived, as when the process was descheduled. Stale
// input is cleared before a send, so a reply already in is never lost.
class LatePurgePort : public SimPort
{
public:
    using SimPort::SimPort;
    bool purge(PurgeKind kind) override
    {
        pause(20ms);
        return SimPort::purge(kind);
    }
};

// Replies that come late or early: a wake-up answered only after one receive
// timed out is followed by a second receive, as in the transfer; a reply
// already in when the program runs again is never purged. Both power debug
// and debug mode still make one pass without a question.
TEST(ReplyTimingTest, LateAndEarlyRepliesStillMakeOnePass)
{
    const std::function<std::unique_ptr<SimPort>(RadioSim &)> ports[] = {
        [](RadioSim &r) { return std::make_unique<LateWakeUpAckPort>(r); },
        [](RadioSim &r) { return std::make_unique<LatePurgePort>(r); }};
    for (std::size_t kind = 0; kind < std::size(ports); ++kind) {
        for (const bool power : {true, false}) {
            SCOPED_TRACE(testing::Message() << "port " << kind << (power ? " power" : " debug"));
            RadioSim radio;
            const std::unique_ptr<SimPort> port = ports[kind](radio);
            ScriptedServiceHost host;
            if (power) {
                PowerDebugSession session(*port, host, PowerKind::Low, Language::English);
                EXPECT_TRUE(session.enter("COM1").completed());
                if (kind == 1) { // a tuning wake-up has one receive, so not for a late answer
                    EXPECT_TRUE(session.tune(30).completed());
                    EXPECT_TRUE(session.leave().completed());
                    EXPECT_EQ(radio.memory().byte(0xFF8), 30);
                }
            } else {
                EXPECT_TRUE(sendDebugCommand(*port, "COM4", host, kTxPower47).completed());
                EXPECT_EQ(radio.debugSettings().size(), 1u);
            }
            EXPECT_EQ(countSends(port->calls(), {'O'}), 1);
            // No reply was lost: every receive the radio answered got all it asked for.
            const auto shortReceives =
                std::count_if(port->calls().begin(), port->calls().end(), [](const auto &c) {
                    return c.kind == SimPort::Call::Kind::Receive && c.bytes.size() < c.asked;
                });
            EXPECT_EQ(shortReceives, 0);
            EXPECT_TRUE(host.shown.empty());
        }
    }
}

// The debug mode tells in the current language, the power commands in
// English whatever the language; nothing reaches the radio.
TEST(ServiceOpenTest, PortThatCannotBeOpenedIsToldAndNothingIsSent)
{
    for (const bool power : {true, false}) {
        RadioSim radio;
        SimPort port(radio);
        port.failOpen(power ? OpenError::Busy : OpenError::Missing);
        ScriptedServiceHost host;
        const ServiceOutcome outcome =
            power ? PowerDebugSession(port, host, PowerKind::High, Language::Chinese)
                        .enter("COM2")
                        .outcome
                  : sendDebugCommand(port, "COM2", host, kTxPower47, Language::Chinese).outcome;
        EXPECT_EQ(outcome, ServiceOutcome::OpenFailed);
        ASSERT_EQ(host.shown.size(), 1u);
        EXPECT_EQ(host.shown[0].text,
                  text::kOpenPortFailed.in(power ? Language::English : Language::Chinese));
        EXPECT_TRUE(radio.record().empty());
    }
}

TEST(DebugEncodingTest, FrequenciesAndTonesBecomeBcdLowPairFirst)
{
    struct Row
    {
        const char *rx;
        const char *rxTone;
        std::string frequencyBlock; // rx then tx (always 456.00000)
        std::string toneBlock;
    };
    const Row rows[] = {
        {"446.00625", "67.0", "25 06 60 44 00 00 60 45", "70 06 00 00 FB 01 01 05"},
        {"469.99375", "254.1", "75 93 99 46 00 00 60 45", "41 25 00 00 FB 01 01 05"},
        {"446.1", "69.3", "00 00 61 44 00 00 60 45", "93 06 00 00 FB 01 01 05"},
        {"", "Off", "00 00 00 00 00 00 60 45", "00 00 00 00 FB 01 01 05"},
        {"-3", "D754I", "00 00 00 00 00 00 60 45", "00 00 00 00 FB 01 01 05"},
    };
    for (const Row &row : rows) {
        const auto rx = debugFrequencyUnits(row.rx), tx = debugFrequencyUnits("456");
        const DebugCommand c{DebugItem::TxFrequency, rx, tx, debugToneValue(row.rxTone), 0, 5};
        EXPECT_EQ(hex(debugFrequencyBlock(c)), row.frequencyBlock) << row.rx;
        EXPECT_EQ(hex(debugToneBlock(c)), row.toneBlock) << row.rxTone;
    }
}

// --- Rules of the dialog --------------------------------------------------------

TEST(DebugRulesTest, EnterHoldsTheFrequencyToTheRangeAndRoundsToTheStep)
{
    struct Row
    {
        const char *typed;
        DebugStep step;
        std::uint32_t shown; // 10 Hz units
    };
    const Row rows[] = {
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
    for (const Row &row : rows)
        EXPECT_EQ(snapDebugFrequency(row.typed, row.step), row.shown)
            << '"' << row.typed << (row.step == DebugStep::Khz500 ? "\" at 5.00" : "\" at 6.25");
}

// Default puts back an item's value, or a frequency page's frequency; the
// dialog test checks the rest of that page.
TEST(DebugRulesTest, DefaultsOfEachItemAndFrequency)
{
    DebugModeState state;
    const std::pair<DebugItem, int> items[] = {{DebugItem::TxFrequency, 91},
                                               {DebugItem::LowPowerVoltage, 38},
                                               {DebugItem::SquelchLevel, 160},
                                               {DebugItem::TxPower, 47}};
    for (auto [item, value] : items) {
        state.resetItem(item);
        EXPECT_EQ(state.value(item), value);
    }
    state.settings(DebugFrequency::Middle).rx.mhz = 450.5;
    state.resetFrequency(DebugFrequency::Middle);
    EXPECT_EQ(state.settings(DebugFrequency::Middle).rx.mhz, 456.0);
    EXPECT_EQ(DebugModeState().settings(DebugFrequency::High).tx.mhz, 466.0);
}

TEST(DebugRulesTest, ShownMhzAndTheRadiosBand)
{
    EXPECT_EQ(formatDebugMhz(std::uint32_t{46600000}), "466.00000");
    EXPECT_EQ(formatDebugMhz(std::uint32_t{44600625}), "446.00625");
    EXPECT_EQ(formatDebugMhz(std::uint32_t{0}), " 0.00000");
    EXPECT_EQ(formatDebugMhz(456.0), "456.00000");
    EXPECT_FALSE(debugFrequencyInBand(39999999));
    EXPECT_TRUE(debugFrequencyInBand(40000000));
    EXPECT_TRUE(debugFrequencyInBand(47000000));
    EXPECT_FALSE(debugFrequencyInBand(47000001));
}

} // namespace
} // namespace kx9::test
