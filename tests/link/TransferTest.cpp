#include "Transfer.h"
#include "BackupTexts.h"
#include "PortTrace.h"
#include "RadioSim.h"
#include "SafetyTexts.h"
#include "ScriptedHosts.h"
#include "TempFolder.h"
#include "TestImages.h"
#include "TextFormat.h"
#include "Texts.h"
#include "WriteFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kx9 {
namespace {

using test::operator+;
using Calls = std::vector<std::string>;
using namespace std::chrono_literals;

// Every byte differs from its neighbours so that a misplaced block shows.
using test::patternImage;

// Every call the port saw, a line each, against a golden trace of tests/data/link;
// a difference names its first line.
void expectTrace(const std::vector<SimPort::Call> &calls, const char *golden)
{
    const Calls lines = test::trace(calls);
    std::istringstream expected(test::slurp(std::string(KX9_TEST_DATA "/link/") + golden));
    std::size_t n = 0;
    for (std::string line; std::getline(expected, line); ++n)
        ASSERT_EQ(n < lines.size() ? lines[n] : "(no more calls)", line) << golden << ":" << n + 1;
    EXPECT_EQ(lines.size(), n) << golden;
}

struct TransferTest : ::testing::Test
{
    TransferResult read(Language language = Language::English)
    {
        return readFromRadio(port, "COM1", host, language);
    }
    TransferResult write(const ChannelImage &image, Language language = Language::English)
    {
        return writeToRadio(port, "COM1", image, host, language);
    }
    int wakeUps() const { return test::countSends(port.calls(), {'P'}); }
    // The first blocks of the file went in; the rest, the last 16 bytes too, is the radio's.
    void expectRadioHolds(const ChannelImage &file, const ChannelImage &before, std::size_t blocks)
    {
        for (std::size_t a = 0; a < kImageSize; ++a)
            ASSERT_EQ(radio.memory().byte(a), a < blocks * 8 ? file.byte(a) : before.byte(a)) << a;
    }
    void expectEndedCleanly() const
    {
        EXPECT_EQ(std::tuple(port.isOpen(), port.opens() - port.closes(), host.progressClosed),
                  std::tuple(false, 0, 1));
        EXPECT_EQ(host.watchWhenShown, std::vector<bool>(host.shown.size(), false));
    }

    RadioSim radio{patternImage(3)};
    SimPort port{radio};
    test::ScriptedHost host;
};

template <typename Case> struct CaseTest : TransferTest, ::testing::WithParamInterface<Case>
{
};

// --- Successful transfers and the bytes on the wire ---------------------------

TEST_F(TransferTest, ReadReturnsTheRadioMemoryWithExactlyTheProtocolBytes)
{
    const TransferResult result = read();
    // 19 pumps after each block, 7 in the handshake wait.
    EXPECT_EQ(std::tuple(result.outcome, result.image, result.message, host.shown.size(),
                         host.progress, host.pumps, host.watch),
              std::tuple(TransferOutcome::Completed, std::optional(radio.memory()), "", 0u, 512,
                         7 + 512 * 19, false));
    EXPECT_EQ(std::tuple(port.openedName(), port.profile()),
              std::tuple("COM1", kProgrammingProfile));
    Calls statuses{std::string(text::kStatusDetecting), std::string(text::kStatusWaiting)};
    for (int block = 1; block <= 512; ++block)
        statuses.push_back(std::to_string(block));
    EXPECT_EQ(host.statuses, statuses);
    expectEndedCleanly();

    // A pumped wait of 7 cycles, each handshake byte after a pause and a purge,
    // then each block's request, reply and acknowledge.
    expectTrace(port.calls(), "read.trace.txt");
}

// A radio of another kind, accepted: asked once in the transfer's language,
// with Cancel the default so that Enter does not write, then written whole.
TEST_F(TransferTest, WriteAfterAnAcceptedMismatchSends510BlocksAndKeepsTheLast16Bytes)
{
    radio.faults().identity = 0x07;
    host.answers = {true};
    const TransferResult result = write(patternImage(90), Language::Chinese);
    EXPECT_EQ(std::tuple(result.outcome, result.image, host.texts(), host.okDefaults),
              std::tuple(TransferOutcome::Completed, std::nullopt,
                         Calls{std::string(text::kRadioTypeMismatch.zh)},
                         std::vector{Prompter::Default::Cancel}));
    // The second handshake follows a wait of 351 cycles; 21 pumps a block.
    EXPECT_EQ(std::tuple(radio.completedWrites(), host.progress, host.statuses.back(), host.pumps),
              std::tuple(1, 510, "510", 7 + 351 + 7 + 510 * 21));
    expectEndedCleanly();

    // Each block: header, pause, data, then a pause after the acknowledge; what
    // the radio then holds of it is RadioSimTest's.
    expectTrace(port.calls(), "write-after-mismatch.trace.txt");
}

// --- Handshake and identity: the wake-ups, questions and waits a fault costs ---

using Arrange = std::function<void(TransferTest &)>;

template <typename T> Arrange fault(T SimFaults::*member, std::type_identity_t<T> value)
{
    return [=](TransferTest &t) { t.radio.faults().*member = value; };
}

// The identification's receive fails once; silent: the radio then stays silent,
// with the first handshake's 06 still in the buffer.
Arrange identificationLost(bool silent)
{
    return [=](TransferTest &t) {
        t.port.setReceiveFailure([&r = t.radio, silent, once = true](auto asked, int) mutable {
            r.faults().silent = r.faults().silent || (silent && asked == 8);
            return asked == 8 && (silent || std::exchange(once, false));
        });
    };
}

// The confirm (06 after the identification) cannot be sent the first times.
Arrange confirmFails(int times, std::optional<std::uint8_t> identity = {})
{
    return [=](TransferTest &t) {
        t.radio.faults().identity = identity;
        t.port.setSendFailure([&r = t.radio, times, sent = 0](auto bytes, int) mutable {
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
    std::chrono::milliseconds waited = 0ms; // on the port's clock; 0: not checked
    friend void PrintTo(const HandshakeCase &c, std::ostream *out) { *out << c.name; }
};

using HandshakeTest = CaseTest<HandshakeCase>;

TEST_P(HandshakeTest, CostsTheseWakeUpsQuestionsAndWaits)
{
    const HandshakeCase &c = GetParam();
    c.arrange(*this);
    for (const char *a = c.answers; *a; ++a)
        host.answers.push_back(*a == '1');
    const TransferResult result =
        c.writeIdentity ? write(patternImage(5, *c.writeIdentity)) : read();
    EXPECT_EQ(std::tuple(result.outcome, wakeUps()), std::tuple(c.outcome, c.wakeUps));
    const auto times = [](std::size_t n, const TextPair &text) {
        return Calls(n, std::string(text.en));
    };
    EXPECT_EQ(host.texts("okcancel"), times(c.identityQuestions, text::kRadioTypeMismatch));
    EXPECT_EQ(host.texts("retrycancel"), times(c.retryQuestions, text::kCommunicationError));
    // Each failed send of the confirm is reported: it goes again at most three times.
    EXPECT_EQ(host.texts("warning"), times(c.warnings, text::kSendOrderError));
    if (c.waited != 0ms) {
        EXPECT_EQ(port.now(), c.waited);
    }
    expectEndedCleanly();
}

constexpr auto kDone = TransferOutcome::Completed;
constexpr auto kCommError = TransferOutcome::CommunicationError;
constexpr std::optional<std::uint8_t> kRead;

const HandshakeCase kHandshakeCases[] = {
    // 15 attempts a question, each of 7 pumped cycles, 7 byte pauses, two 590 ms
    // receives and 2 ms; Retry starts 15 more.
    {"SilentRadioRetriedOnce", fault(&SimFaults::silent, true), kRead, "10", kCommError, 30, 0, 2,
     0, 2 * 15 * (7ms + 7ms + 590ms + 590ms + 2ms)},
    // Handshake 7 + 7 + identify 2, then 590 ms for the missing 06 and 601 cycles.
    {"NoReadyAfterTheConfirm", fault(&SimFaults::missingReadyReply, true), kRead, "", kCommError, 1,
     0, 1, 0, 7ms + 7ms + 2ms + 590ms + 601ms},
    // One stray byte before the acknowledge is accepted; two wrong bytes fail
    // the attempt, and the next one succeeds without a question.
    {"StrayByteThenAck", fault(&SimFaults::firstWakeUpReply, {0x15, 0x06}), kRead, "", kDone, 1, 0,
     0, 0},
    {"TwoNaks", fault(&SimFaults::firstWakeUpReply, {0x15, 0x15}), kRead, "", kDone, 2, 0, 0, 0},
    {"IdentificationLostThenRetry", identificationLost(false), kRead, "1", kDone, 2, 0, 1, 0},
    // The earlier 06 must not answer a later wake-up.
    {"SilentAfterTheFirstAck", identificationLost(true), kRead, "10", kCommError, 16, 0, 2, 0},
    {"ConfirmFailsTwice", confirmFails(2), kRead, "", kDone, 1, 0, 0, 2},
    {"ConfirmFailsEveryTime", confirmFails(1000), kRead, "", kCommError, 1, 0, 1, 4},
    // The radio's identity is asked about only when it is another one; FF skips.
    // (The same identity: the write flow test and FleetTest's clean radios.)
    {"File01RadioFF", fault(&SimFaults::identity, 0xFF), 0x01, "1", kDone, 1, 0, 0, 0},
    {"NewFileFFRadioFF", fault(&SimFaults::identity, 0xFF), 0xFF, "1", kDone, 1, 0, 0, 0},
    {"NewFileFFRadio01", fault(&SimFaults::identity, 0x01), 0xFF, "1", kDone, 2, 1, 0, 0},
    // An accepted mismatch is not asked again after a retry.
    {"MismatchAcceptedThenRetry", confirmFails(4, 0x07), 0x01, "11", kDone, 3, 1, 1, 4},
};

INSTANTIATE_TEST_SUITE_P(Faults, HandshakeTest, ::testing::ValuesIn(kHandshakeCases),
                         [](const auto &info) { return std::string(info.param.name); });

// --- A transfer that ends early: what it says, and what the radio holds --------

// A short reply, no acknowledge, the line hung up, a send that fails, the
// user's cancel (at a pump, or while the port waits, as a signal to the command
// line cuts the wait short), a declined question, a silent radio, a port that
// will not open. In virtual time, so that a reply that never comes costs nothing.
struct EndCase
{
    std::string name;
    bool writing;
    Arrange arrange;
    TransferOutcome outcome;
    bool partial;
    int blocks;   // read: counted; write: of the file in the radio afterwards
    int requests; // block headers and data sent: none after a cancel
    int wakeUps;
    friend void PrintTo(const EndCase &c, std::ostream *out) { *out << c.name; }
};

// Fails the header (4 bytes) or the data (8 bytes) of one write block.
Arrange failSend(std::size_t size, std::size_t block)
{
    return [=](TransferTest &t) {
        t.port.setSendFailure([=, seen = std::size_t{0}](auto bytes, int) mutable {
            return bytes.size() == size && (size == 8 || bytes[0] == 'W') && seen++ == block;
        });
    };
}

// At the pump where the progress is this; -1: the first.
Arrange cancelAt(int progress)
{
    return [=](TransferTest &t) {
        t.host.cancelWhen = [=](auto &s) { return progress < 0 || s.progress == progress; };
    };
}

// The user stops while the port waits for a block's reply (12 bytes) or
// acknowledge (1 byte) at block 50.
Arrange stopDuringTheWait(std::size_t asked)
{
    return [=](TransferTest &t) {
        t.port.setReceiveFailure([&h = t.host, asked](std::size_t size, int) {
            return h.cancel = h.cancel || (size == asked && h.progress == 50);
        });
    };
}

constexpr bool kWrite = true;
constexpr auto kAckMissing = TransferOutcome::WriteAckMissing;
constexpr auto kCancelled = TransferOutcome::Cancelled;

std::vector<EndCase> endCases()
{
    std::vector<EndCase> cases = {
        {"FirstHeaderCannotBeSent", kWrite, failSend(4, 0), kAckMissing, false, 0, 1, 1},
        // The radio would take the data of a block whose header never went out
        // for commands of its own.
        {"HeaderOfBlock5CannotBeSent", kWrite, failSend(4, 5), kAckMissing, true, 5, 11, 1},
        {"DataOfBlock7CannotBeSent", kWrite, failSend(8, 7), kAckMissing, true, 7, 16, 1},
        {"MismatchDeclinedBeforeAnyBlock", kWrite, fault(&SimFaults::identity, 0x07),
         TransferOutcome::TypeMismatchDeclined, false, 0, 0, 1},
        // Ctrl-C while the question waits for its answer: its "no" is the cancel's.
        {"CancelAtTheIdentityQuestion", kWrite,
         [](TransferTest &t) {
             t.radio.faults().identity = 0x07;
             t.host.cancelWhen = [](const test::ScriptedHost &s) { return !s.okDefaults.empty(); };
         },
         kCancelled, false, 0, 0, 1},
        {"SilentRadio", kWrite, fault(&SimFaults::silent, true), kCommError, false, 0, 0, 15},
        {"PortWillNotOpen", kWrite, [](TransferTest &t) { t.port.failOpen(OpenError::Busy); },
         TransferOutcome::OpenFailed, false, 0, 0, 0},
        {"CancelDuringTheHandshakeWait", false, cancelAt(-1), kCancelled, false, 0, 0, 0},
        {"CancelAtBlock100OfARead", false, cancelAt(101), kCancelled, false, 101, 101, 1},
        {"CancelAfterBlock20OfAWrite", kWrite, cancelAt(20), kCancelled, true, 20, 40, 1},
        {"CancelDuringAWaitOfARead", false, stopDuringTheWait(12), kCancelled, false, 50, 51, 1},
        {"CancelDuringAWaitOfAWrite", kWrite, stopDuringTheWait(1), kCancelled, true, 51, 102, 1},
    };
    // The radio stores a block before it withholds the acknowledge.
    for (const int block : {0, 254, 509}) {
        const std::string at = "AtWriteBlock" + std::to_string(block);
        cases.push_back({"NoAcknowledge" + at, kWrite,
                         fault(&SimFaults::missingWriteAckAtBlock, block), kAckMissing, true,
                         block + 1, 2 * block + 2, 1});
        cases.push_back({"HangUp" + at, kWrite, fault(&SimFaults::hangUpAtBlock, block),
                         kAckMissing, true, block, 2 * block + 2, 1});
    }
    for (const int block : {0, 255, 511}) {
        const std::string at = "AtBlock" + std::to_string(block);
        // 10 and 11 bytes would leave stale buffer bytes in the image: refused too.
        for (const std::size_t length : {0u, 9u, 10u, 11u})
            cases.push_back({"Reply" + std::to_string(length) + "Bytes" + at, false,
                             [=](TransferTest &t) {
                                 t.radio.faults().shortReplyAtBlock = block;
                                 t.radio.faults().shortReplyLength = length;
                             },
                             TransferOutcome::ShortReply, false, block, block + 1, 1});
        // A block is stored and counted before its acknowledge.
        cases.push_back({"NoAcknowledge" + at, false,
                         fault(&SimFaults::missingReadAckAtBlock, block),
                         TransferOutcome::ReadAckMissing, false, block + 1, block + 1, 1});
        cases.push_back({"HangUp" + at, false, fault(&SimFaults::hangUpAtBlock, block),
                         TransferOutcome::ShortReply, false, block, block + 1, 1});
    }
    return cases;
}

// What the user was told, in the transfer's language; a cancel says nothing.
const std::map<TransferOutcome, TextPair> kMessages{
    {TransferOutcome::ShortReply, text::kNotEnoughBytes},
    {TransferOutcome::ReadAckMissing, text::kReadBlockError},
    {TransferOutcome::WriteAckMissing, text::kProgramInterrupt},
    {TransferOutcome::OpenFailed, text::kOpenPortFailed},
    {TransferOutcome::CommunicationError, text::kCommunicationError},
    {TransferOutcome::TypeMismatchDeclined, text::kRadioTypeMismatch}};

using EndTest = CaseTest<EndCase>;

TEST_P(EndTest, SaysWhyAndWhetherTheRadioHoldsAPartialWrite)
{
    const EndCase &c = GetParam();
    c.arrange(*this);
    const ChannelImage before = radio.memory();
    const ChannelImage image = patternImage(90);
    const TransferResult result =
        c.writing ? write(image, Language::Chinese) : read(Language::Chinese);
    const auto told = kMessages.find(c.outcome);
    const std::string message(told == kMessages.end() ? "" : told->second.zh);
    EXPECT_EQ(std::tuple(result.outcome, result.partialWrite, result.image, result.message),
              std::tuple(c.outcome, c.partial, std::nullopt, message));
    // The partial write, or the device and the port's reason, as detail.
    const std::string detail = c.partial ? "\n" + std::string(text::kPartialWrite.zh)
                               : c.outcome == TransferOutcome::OpenFailed
                                   ? "\n/dev/ttyUSB0 正被占用：simulated open failure。"
                                   : "";
    const bool warned = !message.empty() && c.outcome != TransferOutcome::TypeMismatchDeclined;
    EXPECT_EQ(host.texts("warning") + host.texts("retrycancel"),
              warned ? Calls{message + detail} : Calls{});
    // Block requests, read or write, and write data sent.
    const auto requests = std::ranges::count_if(port.calls(), [](const SimPort::Call &s) {
        const bool request = s.bytes.size() == 4 && (s.bytes[0] == 'R' || s.bytes[0] == 'W');
        return s.kind == SimPort::Call::Kind::Send && (request || s.bytes.size() == 8);
    });
    EXPECT_EQ(std::tuple(requests, wakeUps()), std::tuple(c.requests, c.wakeUps));
    if (c.writing)
        expectRadioHolds(image, before, static_cast<std::size_t>(c.blocks));
    else
        EXPECT_EQ(host.progress, c.blocks);
    expectEndedCleanly();
}

INSTANTIATE_TEST_SUITE_P(Transfers, EndTest, ::testing::ValuesIn(endCases()),
                         [](const auto &info) { return info.param.name; });

// --- The write flow ------------------------------------------------------------

// A write with a read first and a read back, each a full session with the
// in-process radio: the copy is taken first, and a block the radio
// acknowledged but kept with a bit flipped fails the write. (A copy that
// fails writes nothing, and a clean write verifies: FleetTest's write flow job.)
TEST_F(TransferTest, WriteFlowRunsBackupWriteAndVerifyAsThreeSessionsOnOneProgressRun)
{
    radio.faults().corruptWriteAtBlock = 5;
    const ChannelImage before = radio.memory();
    const ChannelImage image = patternImage(90); // differs from before in every written byte
    std::vector<WriteStep> steps;
    std::vector<ChannelImage> kept;
    const auto keep = [&](const ChannelImage &held) {
        kept.push_back(held);
        return std::string();
    };
    const WriteFlowResult result = runWriteFlow(
        port, "COM1", image, host,
        {.backupFirst = keep, .verify = true, .onStep = [&](WriteStep s) { steps.push_back(s); }},
        Language::English);

    EXPECT_EQ(
        std::tuple(result.outcome, kept, steps),
        std::tuple(WriteFlowOutcome::VerifyMismatch, std::vector<ChannelImage>{before},
                   std::vector{WriteStep::BackupRead, WriteStep::Write, WriteStep::VerifyRead}));
    // The last 16 bytes are the radio's own, and verify does not count them.
    ChannelImage held = image;
    held.setByte(0x28, static_cast<std::uint8_t>(image.byte(0x28) ^ 1));
    expectRadioHolds(held, before, kWriteBlocks);
    const std::string failed = fillIn(text::kVerifyFailed.en, {"1", "0x028"});
    EXPECT_EQ(
        std::tuple(result.differingAddresses, result.differenceCount, result.message, host.texts(),
                   port.opens(), host.progress),
        std::tuple(std::vector<std::size_t>{0x28}, 1u, failed, Calls{failed}, 3, kProgressRange));
    expectEndedCleanly();
}

TEST(VerifyAddresses, OnlyWrittenBytesCountAndAtMostEightAreNamed)
{
    const ChannelImage sent = patternImage(1);
    ChannelImage back = sent;
    for (std::size_t a :
         {0x000u, 0x001u, 0x100u, 0x101u, 0x102u, 0x200u, 0x300u, 0x400u, 0xFEFu, 0xFF0u})
        back.setByte(a, static_cast<std::uint8_t>(~back.byte(a)));
    const std::vector<std::size_t> differing = writtenBytesDiffering(sent, back);
    EXPECT_EQ(std::tuple(differing.size(), addressList(differing)),
              std::tuple(9u, "0x000, 0x001, 0x100, 0x101, 0x102, 0x200, 0x300, 0x400"));
}

} // namespace
} // namespace kx9
