#include "Transfer.h"
#include "PortTrace.h"
#include "RadioSim.h"
#include "SafetyTexts.h"
#include "ScriptedHosts.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kx9 {
namespace {

using test::bytewise;
using test::hex;
using test::operator+;
using Calls = std::vector<std::string>;
using test::ScriptedHost;
using namespace std::chrono_literals;

// Every byte differs from its neighbours so that a misplaced block shows.
ChannelImage patternImage(std::uint8_t seed, std::uint8_t identity)
{
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7 + seed + (i >> 8)));
    image.setRadioIdentity(identity);
    return image;
}

// The first count lines of the trace from call index from on.
std::vector<std::string> traceSlice(const std::vector<SimPort::Call> &calls, std::size_t from,
                                    std::size_t count)
{
    std::vector<std::string> lines = test::trace(calls, from);
    lines.resize(std::min(lines.size(), count));
    return lines;
}

class TransferTest : public ::testing::Test
{
protected:
    TransferResult read(Language language = Language::English)
    {
        return readFromRadio(port, "COM1", host, language);
    }
    TransferResult write(const ChannelImage &image, Language language = Language::English)
    {
        return writeToRadio(port, "COM1", image, host, language);
    }
    int wakeUps() const { return test::countSends(port.calls(), {'P'}); }
    // The addresses of the block headers sent, reads ('R') or writes ('W').
    std::vector<std::size_t> blockAddresses(std::uint8_t kind = 'W') const
    {
        std::vector<std::size_t> out;
        for (const SimPort::Call &c : port.calls())
            if (c.kind == SimPort::Call::Kind::Send && c.bytes.size() == 4 && c.bytes[0] == kind)
                out.push_back(static_cast<std::size_t>(c.bytes[1]) << 8 | c.bytes[2]);
        return out;
    }
    void expectEndedCleanly() const
    {
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.opens(), port.closes());
        EXPECT_EQ(host.progressClosed, 1);
        EXPECT_EQ(host.watchWhenShown, std::vector<bool>(host.shown.size(), false));
    }

    RadioSim radio{patternImage(3, 0x01)};
    SimPort port{radio};
    ScriptedHost host;
};

// --- Successful transfers and the bytes on the wire ---------------------------

TEST_F(TransferTest, ReadReturnsTheRadioMemoryWithExactlyTheProtocolBytes)
{
    const TransferResult result = read();
    ASSERT_EQ(result.outcome, TransferOutcome::Completed);
    ASSERT_TRUE(result.image.has_value());
    EXPECT_EQ(*result.image, radio.memory());
    EXPECT_TRUE(result.message.empty());
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.progress, 512);
    ASSERT_EQ(host.statuses.size(), 2u + 512u);
    EXPECT_EQ(host.statuses[0], text::kStatusDetecting);
    EXPECT_EQ(host.statuses[1], text::kStatusWaiting);
    EXPECT_EQ(host.statuses[2], "1");
    EXPECT_EQ(host.statuses.back(), "512");
    EXPECT_EQ(port.openedName(), "COM1");
    EXPECT_EQ(port.profile(), kProgrammingProfile);
    EXPECT_FALSE(host.watch);
    expectEndedCleanly();

    // What the radio answers is the simulator's; this is every byte we send.
    std::vector<std::uint8_t> toRadio{0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02, 0x06};
    for (std::size_t a = 0; a < kImageSize; a += 8)
        toRadio.insert(toRadio.end(), {'R', static_cast<std::uint8_t>(a >> 8),
                                       static_cast<std::uint8_t>(a), 0x08, 0x06});
    EXPECT_EQ(radio.bytesSent(WireDirection::ToRadio), toRadio);
}

TEST_F(TransferTest, HandshakeSendsOneBytePerWriteWithPauseAndPurgeBeforeEach)
{
    ASSERT_TRUE(read().completed());
    // A pumped wait of 7 cycles, then each byte after a pause and a purge.
    const Calls expected = Calls{"open"} + Calls(7, "pause 1") + Calls{"purge abort"} +
                           bytewise("\x02PROGRA", 1, 0) + Calls{"recv 1:06"} +
                           bytewise("M\x02", 1, 0) +
                           Calls{"recv 8:4B 58 39 00 01 00 00 00", "purge", "send 06", "recv 1:06",
                                 // first block
                                 "purge", "send 52 00 00 08",
                                 "recv 12:57 00 00 08 " + hex(radio.memory().bytes().first(8)),
                                 "purge", "send 06", "recv 1:06", "purge", "send 52 00 08 08"};
    EXPECT_EQ(traceSlice(port.calls(), 0, expected.size()), expected);
    EXPECT_EQ(test::trace(port.calls()).back(), "close");
    // 19 pumps after each block, 7 in the handshake wait.
    EXPECT_EQ(host.pumps, 7 + 512 * 19);
}

TEST_F(TransferTest, WriteSends510BlocksAndNeverTouchesTheLast16Bytes)
{
    const ChannelImage before = radio.memory();
    const ChannelImage image = patternImage(90, 0x01);
    const TransferResult result = write(image);
    ASSERT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_FALSE(result.image.has_value());
    EXPECT_TRUE(host.shown.empty());

    const std::vector<std::size_t> addresses = blockAddresses();
    ASSERT_EQ(addresses.size(), 510u);
    for (std::size_t i = 0; i < addresses.size(); ++i)
        EXPECT_EQ(addresses[i], i * 8);
    for (std::size_t a = 0; a < kImageSize; ++a)
        ASSERT_EQ(radio.memory().byte(a), a < 0xFF0 ? image.byte(a) : before.byte(a)) << a;
    EXPECT_EQ(radio.completedWrites(), 1);
    EXPECT_EQ(host.progress, 510);
    EXPECT_EQ(host.statuses.back(), "510");
    EXPECT_EQ(host.pumps, 7 + 510 * 21);
    expectEndedCleanly();

    // Each block: header, pause, data, then a pause after the acknowledge.
    const auto &calls = port.calls();
    const auto first = std::find_if(calls.begin(), calls.end(), [](auto &c) {
        return c.kind == SimPort::Call::Kind::Send && c.bytes.size() == 4 && c.bytes[0] == 'W';
    });
    ASSERT_NE(first, calls.end());
    const std::size_t at = static_cast<std::size_t>(first - calls.begin()) - 1;
    const Calls expected = {"purge",
                            "send 57 00 00 08",
                            "pause 1",
                            "purge",
                            "send " + hex(image.bytes().first(8)),
                            "recv 1:06",
                            "pause 1",
                            "purge",
                            "send 57 00 08 08"};
    EXPECT_EQ(traceSlice(calls, at, expected.size()), expected);
}

// --- Handshake ----------------------------------------------------------------

TEST_F(TransferTest, SilentRadioGets15AttemptsPerQuestionAndRetryStarts15More)
{
    radio.faults().silent = true;
    host.answers = {true, false}; // Retry, then Cancel
    const TransferResult result = read();
    EXPECT_EQ(result.outcome, TransferOutcome::CommunicationError);
    EXPECT_EQ(result.message, text::kCommunicationError.en);
    EXPECT_FALSE(result.image.has_value());
    EXPECT_EQ(host.texts("retrycancel"),
              std::vector<std::string>(2, std::string(text::kCommunicationError.en)));
    EXPECT_EQ(wakeUps(), 30);
    // Each attempt: 7 pumped cycles, 7 byte pauses, two 590 ms receives, 2 ms.
    EXPECT_EQ(port.now(), 2 * 15 * (7ms + 7ms + 590ms + 590ms + 2ms));
    expectEndedCleanly();
}

TEST_F(TransferTest, NoReadyAfterConfirmWaits601CyclesThenAsks)
{
    radio.faults().missingReadyReply = true;
    const TransferResult result = read(Language::Chinese);
    EXPECT_EQ(result.outcome, TransferOutcome::CommunicationError);
    EXPECT_EQ(host.texts("retrycancel"),
              std::vector<std::string>{std::string(text::kCommunicationError.zh)});
    // handshake 7 + 7 + identify 2, then 590 ms for the missing 06 and 601 cycles
    EXPECT_EQ(port.now(), 7ms + 7ms + 2ms + 590ms + 601ms);
    EXPECT_EQ(host.pumps, 7 + 601);
    expectEndedCleanly();
}

// --- Handshake and identity: the wake-ups and the questions a fault costs ---------

using Arrange = std::function<void(RadioSim &, SimPort &, ScriptedHost &)>;

Arrange wakeUpReply(std::uint8_t second)
{
    return [=](RadioSim &r, SimPort &, ScriptedHost &) {
        r.faults().firstWakeUpReply = {0x15, second};
    };
}

Arrange radioIdentity(std::uint8_t identity)
{
    return [=](RadioSim &r, SimPort &, ScriptedHost &) { r.faults().identity = identity; };
}

// The identification's receive fails once; silent: the radio then stays silent,
// with the first handshake's 06 still in the buffer.
Arrange identificationLost(bool silent)
{
    return [=](RadioSim &r, SimPort &p, ScriptedHost &) {
        p.setReceiveFailure([&r, silent, once = true](std::size_t asked, int) mutable {
            r.faults().silent = r.faults().silent || (silent && asked == 8);
            const bool fail = asked == 8 && (silent || once);
            once = once && asked != 8;
            return fail;
        });
    };
}

// The confirm (06 after the identification) cannot be sent the first times.
Arrange confirmFails(int times, Arrange also = {})
{
    return [=](RadioSim &r, SimPort &p, ScriptedHost &h) {
        if (also)
            also(r, p, h);
        p.setSendFailure([&r, times, sent = 0](std::span<const std::uint8_t> bytes, int) mutable {
            const bool confirm =
                r.state() == RadioSim::State::Identified && bytes.size() == 1 && bytes[0] == 0x06;
            return confirm && ++sent <= times;
        });
    };
}

struct HandshakeCase
{
    const char *name;
    Arrange arrange;
    std::optional<std::uint8_t> writeIdentity; // none: a read
    const char *answers;                       // '1': OK or Retry, '0': Cancel
    TransferOutcome outcome;
    int wakeUps;
    std::size_t identityQuestions, retryQuestions, warnings;
    friend void PrintTo(const HandshakeCase &c, std::ostream *out) { *out << c.name; }
};

class HandshakeTest : public TransferTest, public ::testing::WithParamInterface<HandshakeCase>
{
};

TEST_P(HandshakeTest, CostsTheseWakeUpsAndQuestions)
{
    const HandshakeCase &c = GetParam();
    c.arrange(radio, port, host);
    for (const char *a = c.answers; *a; ++a)
        host.answers.push_back(*a == '1');
    const TransferResult result =
        c.writeIdentity ? write(patternImage(5, *c.writeIdentity)) : read();
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(wakeUps(), c.wakeUps);
    EXPECT_EQ(host.texts("okcancel").size(), c.identityQuestions);
    EXPECT_EQ(host.texts("retrycancel").size(), c.retryQuestions);
    // Each failed send of the confirm is reported: it goes again at most three times.
    EXPECT_EQ(host.texts("warning"),
              std::vector<std::string>(c.warnings, std::string(text::kSendOrderError.en)));
}

constexpr auto kDone = TransferOutcome::Completed;
constexpr auto kCommError = TransferOutcome::CommunicationError;
constexpr std::optional<std::uint8_t> kRead;

const HandshakeCase kHandshakeCases[] = {
    // One stray byte before the acknowledge is accepted; two wrong bytes fail
    // the attempt, and the next one succeeds without a question.
    {"StrayByteThenAck", wakeUpReply(0x06), kRead, "", kDone, 1, 0, 0, 0},
    {"TwoNaks", wakeUpReply(0x15), kRead, "", kDone, 2, 0, 0, 0},
    {"IdentificationLostThenRetry", identificationLost(false), kRead, "1", kDone, 2, 0, 1, 0},
    // The earlier 06 must not answer a later wake-up.
    {"SilentAfterTheFirstAck", identificationLost(true), kRead, "10", kCommError, 16, 0, 2, 0},
    {"ConfirmFailsTwice", confirmFails(2), kRead, "", kDone, 1, 0, 0, 2},
    {"ConfirmFailsEveryTime", confirmFails(1000), kRead, "", kCommError, 1, 0, 1, 4},
    {"ReadNeverChecksTheIdentity", radioIdentity(0x07), kRead, "", kDone, 1, 0, 0, 0},
    // The radio's identity is asked about only when it is another one; FF skips.
    {"File01Radio01", radioIdentity(0x01), 0x01, "1", kDone, 1, 0, 0, 0},
    {"File01RadioFF", radioIdentity(0xFF), 0x01, "1", kDone, 1, 0, 0, 0},
    {"NewFileFFRadioFF", radioIdentity(0xFF), 0xFF, "1", kDone, 1, 0, 0, 0},
    {"NewFileFFRadio01", radioIdentity(0x01), 0xFF, "1", kDone, 2, 1, 0, 0},
    {"File01Radio02", radioIdentity(0x02), 0x01, "1", kDone, 2, 1, 0, 0},
    // An accepted mismatch is not asked again after a retry.
    {"MismatchAcceptedThenRetry", confirmFails(4, radioIdentity(0x07)), 0x01, "11", kDone, 3, 1, 1,
     4},
};

INSTANTIATE_TEST_SUITE_P(Faults, HandshakeTest, ::testing::ValuesIn(kHandshakeCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Declining writes nothing: the CutShortTest row MismatchDeclinedBeforeAnyBlock.
TEST_F(TransferTest, AcceptedMismatchIsAskedOnceInTheTransfersLanguageAndRedoesTheHandshake)
{
    radio.faults().identity = 0x07;
    host.answers = {true};
    ASSERT_TRUE(write(patternImage(5, 0x01), Language::Chinese).completed());
    EXPECT_EQ(host.texts("okcancel"),
              std::vector<std::string>{std::string(text::kRadioTypeMismatch.zh)});
    EXPECT_EQ(host.okDefaults, std::vector{Prompter::Default::Cancel}); // Enter must not write
    // The second handshake follows a wait of 351 cycles.
    EXPECT_EQ(host.pumps, 7 + 351 + 7 + 510 * 21);
    EXPECT_EQ(blockAddresses().size(), 510u);
}

// Ctrl-C while the identity question waits for its answer: the question's
// "no" is the cancel's, and nothing was written.
TEST_F(TransferTest, CancelAtTheIdentityQuestionIsACancelNotADecline)
{
    class InterruptedHost : public test::ScriptedHost
    {
        void showing() override { cancel = true; }
    } interrupted;
    interrupted.answers = {false};
    radio.faults().identity = 0x07;
    const TransferResult result =
        writeToRadio(port, "COM1", patternImage(5, 0x01), interrupted, Language::English);
    EXPECT_EQ(result.outcome, TransferOutcome::Cancelled);
    EXPECT_TRUE(result.message.empty());
    EXPECT_FALSE(result.partialWrite);
    EXPECT_EQ(result.identity, std::optional<std::uint8_t>(0x07));
    EXPECT_TRUE(blockAddresses().empty());
}

// --- Failures during the blocks -----------------------------------------------

// A read that ends at a block: a short reply, no acknowledge, or the line
// hung up, at the first, a middle and the last block. In virtual time, so
// that a reply that never comes costs nothing here.
struct ReadEnd
{
    std::string name;
    SimFaults faults;
    TransferOutcome outcome;
    int progress; // a block is stored and counted before its acknowledge
    friend void PrintTo(const ReadEnd &c, std::ostream *out) { *out << c.name; }
};

std::vector<ReadEnd> readEnds()
{
    std::vector<ReadEnd> cases;
    for (const int block : {0, 255, 511}) {
        const std::string at = "AtBlock" + std::to_string(block);
        // 10 and 11 bytes would leave stale buffer bytes in the image: refused too.
        for (const std::size_t length : {0u, 9u, 10u, 11u}) {
            SimFaults f;
            f.shortReplyAtBlock = block;
            f.shortReplyLength = length;
            cases.push_back({"Reply" + std::to_string(length) + "Bytes" + at, f,
                             TransferOutcome::ShortReply, block});
        }
        SimFaults noAck, hangUp;
        noAck.missingReadAckAtBlock = block;
        hangUp.hangUpAtBlock = block;
        cases.push_back({"NoAcknowledge" + at, noAck, TransferOutcome::ReadAckMissing, block + 1});
        cases.push_back({"HangUp" + at, hangUp, TransferOutcome::ShortReply, block});
    }
    return cases;
}

class ReadEndTest : public TransferTest, public ::testing::WithParamInterface<ReadEnd>
{
};

TEST_P(ReadEndTest, EndsTheReadWithItsWarningAndTheCallerGetsNoImage)
{
    radio.faults() = GetParam().faults;
    const TransferResult result = read(Language::Chinese);
    EXPECT_EQ(result.outcome, GetParam().outcome);
    const std::string warning((result.outcome == TransferOutcome::ShortReply
                                   ? text::kNotEnoughBytes
                                   : text::kReadBlockError)
                                  .zh);
    EXPECT_EQ(result.message, warning);
    EXPECT_FALSE(result.image.has_value());
    EXPECT_EQ(host.texts("warning"), std::vector<std::string>{warning});
    EXPECT_EQ(host.progress, GetParam().progress);
    expectEndedCleanly();
}

INSTANTIATE_TEST_SUITE_P(Blocks, ReadEndTest, ::testing::ValuesIn(readEnds()),
                         [](const auto &info) { return info.param.name; });

// --- A write cut short tells that the radio holds part of it --------------------

struct CutShortCase
{
    const char *name;
    Arrange arrange;
    TransferOutcome outcome;
    bool partial;
    std::size_t blocksInRadio; // of the file, in the radio afterwards
    friend void PrintTo(const CutShortCase &c, std::ostream *out) { *out << c.name; }
};

// Fails the header (4 bytes) or the data (8 bytes) of one write block.
SimPort::SendFailure failWriteSend(std::size_t size, std::size_t block)
{
    return [size, block, seen = std::size_t{0}](std::span<const std::uint8_t> bytes, int) mutable {
        const bool isWriteSend = bytes.size() == size && (size == 8 || bytes[0] == 'W');
        return isWriteSend && seen++ == block;
    };
}

Arrange noWriteAck(int block)
{
    return [block](RadioSim &r, SimPort &, ScriptedHost &) {
        r.faults().missingWriteAckAtBlock = block;
    };
}

Arrange hangUpAt(int block)
{
    return [block](RadioSim &r, SimPort &, ScriptedHost &) { r.faults().hangUpAtBlock = block; };
}

Arrange failSend(std::size_t size, std::size_t block)
{
    return [=](RadioSim &, SimPort &p, ScriptedHost &) {
        p.setSendFailure(failWriteSend(size, block));
    };
}

constexpr auto kAckMissing = TransferOutcome::WriteAckMissing;

const CutShortCase kCutShortCases[] = {
    // The radio stores a block before it withholds the acknowledge.
    {"NoAcknowledgeOfTheFirstBlock", noWriteAck(0), kAckMissing, true, 1},
    {"NoAcknowledgeOfAMiddleBlock", noWriteAck(254), kAckMissing, true, 255},
    {"NoAcknowledgeOfTheLastBlock", noWriteAck(509), kAckMissing, true, 510},
    {"HangUpAtTheFirstBlock", hangUpAt(0), kAckMissing, true, 0},
    {"HangUpAtAMiddleBlock", hangUpAt(254), kAckMissing, true, 254},
    {"HangUpAtTheLastBlock", hangUpAt(509), kAckMissing, true, 509},
    {"CancelAfterBlock20",
     [](RadioSim &, SimPort &, ScriptedHost &h) {
         h.cancelWhen = [](const ScriptedHost &s) { return s.progress == 20; };
     },
     TransferOutcome::Cancelled, true, 20},
    {"FirstHeaderCannotBeSent", failSend(4, 0), kAckMissing, false, 0},
    {"HeaderOfBlock5CannotBeSent", failSend(4, 5), kAckMissing, true, 5},
    {"DataOfBlock7CannotBeSent", failSend(8, 7), kAckMissing, true, 7},
    {"MismatchDeclinedBeforeAnyBlock",
     [](RadioSim &r, SimPort &, ScriptedHost &) { r.faults().identity = 0x07; },
     TransferOutcome::TypeMismatchDeclined, false, 0},
    {"SilentRadio", [](RadioSim &r, SimPort &, ScriptedHost &) { r.faults().silent = true; },
     TransferOutcome::CommunicationError, false, 0},
};

class CutShortTest : public TransferTest, public ::testing::WithParamInterface<CutShortCase>
{
};

TEST_P(CutShortTest, WriteSaysWhetherTheRadioHoldsAPartialWrite)
{
    const CutShortCase &c = GetParam();
    c.arrange(radio, port, host);
    const ChannelImage before = radio.memory();
    const ChannelImage image = patternImage(90, 0x01);
    const TransferResult result = write(image);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.partialWrite, c.partial);
    // A failure says so with the sentence as detail; a cancel, a declined
    // question and a communication error show no message here.
    std::vector<std::string> informs;
    if (c.outcome == kAckMissing)
        informs.push_back(std::string(text::kProgramInterrupt.en) +
                          (c.partial ? "\n" + std::string(text::kPartialWrite.en) : ""));
    EXPECT_EQ(host.texts("warning"), informs);
    for (std::size_t a = 0; a < kImageSize; ++a)
        ASSERT_EQ(radio.memory().byte(a), a < c.blocksInRadio * 8 ? image.byte(a) : before.byte(a))
            << a;
    expectEndedCleanly();
}

INSTANTIATE_TEST_SUITE_P(Ends, CutShortTest, ::testing::ValuesIn(kCutShortCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The radio would take the data of a block whose header never went out for
// commands of its own.
TEST_F(TransferTest, BlockWhoseHeaderCannotBeSentIsNotFollowedByItsData)
{
    port.setSendFailure(failWriteSend(4, 5));
    EXPECT_EQ(write(patternImage(90, 0x01)).outcome, TransferOutcome::WriteAckMissing);
    const SimPort::Call &last =
        *std::find_if(port.calls().rbegin(), port.calls().rend(),
                      [](const SimPort::Call &c) { return c.kind == SimPort::Call::Kind::Send; });
    EXPECT_EQ(hex(last.bytes), "57 00 28 08");
}

// --- Cancel and open failure ----------------------------------------------------

// The cancel flag seen at a pump, or set while the port waits (as a signal to
// the command line does, cutting the wait short): the user's cancel, not the
// radio's fault, so nothing is shown, and no block is asked for after it.
struct CancelCase
{
    const char *name;
    bool writing;
    Arrange arrange;
    std::size_t blockRequests; // read or write block headers sent
    friend void PrintTo(const CancelCase &c, std::ostream *out) { *out << c.name; }
};

Arrange cancelAtPump(int progress)
{
    return [=](RadioSim &, SimPort &, ScriptedHost &h) {
        h.cancelWhen = [=](const ScriptedHost &s) {
            return progress < 0 || s.progress == progress;
        };
    };
}

// A block's reply (12 bytes) or acknowledge (1 byte) at block 50.
Arrange stopDuringTheWait(std::size_t asked)
{
    return [=](RadioSim &, SimPort &p, ScriptedHost &h) {
        p.setReceiveFailure([&h, asked](std::size_t size, int) {
            if (size != asked || h.progress != 50)
                return false;
            h.cancel = true;
            return true;
        });
    };
}

const CancelCase kCancelCases[] = {
    {"DuringTheHandshakeWait", false, cancelAtPump(-1), 0},
    {"AtBlock100OfARead", false, cancelAtPump(101), 101},
    {"DuringAWaitOfARead", false, stopDuringTheWait(12), 51},
    {"DuringAWaitOfAWrite", true, stopDuringTheWait(1), 51},
};

class CancelTest : public TransferTest, public ::testing::WithParamInterface<CancelCase>
{
};

TEST_P(CancelTest, EndsAsCancelWithoutAMessage)
{
    const CancelCase &c = GetParam();
    c.arrange(radio, port, host);
    const TransferResult result = c.writing ? write(patternImage(90, 0x01)) : read();
    EXPECT_EQ(result.outcome, TransferOutcome::Cancelled);
    EXPECT_TRUE(result.message.empty());
    EXPECT_TRUE(host.shown.empty());
    EXPECT_FALSE(result.image.has_value());
    EXPECT_EQ(result.partialWrite, c.writing);
    EXPECT_EQ(blockAddresses('R').size() + blockAddresses('W').size(), c.blockRequests);
    EXPECT_EQ(radio.record().empty(), c.blockRequests == 0); // not even a wake-up
    expectEndedCleanly();
}

INSTANTIATE_TEST_SUITE_P(Points, CancelTest, ::testing::ValuesIn(kCancelCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(TransferTest, OpenFailureShowsTheMessageAndSendsNothing)
{
    port.failOpen(OpenError::Busy);
    const TransferResult result = write(patternImage(90, 0x01), Language::Chinese);
    EXPECT_EQ(result.outcome, TransferOutcome::OpenFailed);
    // The detail names the device and the port's reason, in the transfer's language.
    EXPECT_EQ(host.texts("warning"),
              std::vector<std::string>{std::string(text::kOpenPortFailed.zh) +
                                       "\n/dev/ttyUSB0 正被占用：simulated open failure。"});
    EXPECT_TRUE(radio.record().empty());
    EXPECT_TRUE(host.statuses.empty());
    EXPECT_EQ(host.progressClosed, 1);
    EXPECT_FALSE(host.watch);
}

} // namespace
} // namespace kx9
