// A write with a read first and a read back, each a full session with the
// in-process radio: the copy is taken first, and a block the radio kept
// wrongly fails the write. (A copy that fails writes nothing: FleetTest's
// write flow job and the process rows of BackupVerifyWrite.)

#include "WriteFlow.h"
#include "BackupTexts.h"
#include "PortTrace.h"
#include "RadioSim.h"
#include "ScriptedHosts.h"
#include "TextFormat.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kx9::write_flow_test {

ChannelImage filled(std::uint8_t seed)
{
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 3 + seed));
    image.setRadioIdentity(0x01);
    return image;
}

class WriteFlowTest : public ::testing::Test
{
protected:
    WriteFlowResult run(std::function<std::string(const ChannelImage &)> backupFirst, bool verify)
    {
        WriteFlowOptions options;
        options.backupFirst = std::move(backupFirst);
        options.verify = verify;
        options.onStep = [this](WriteStep step) { steps.push_back(step); };
        return runWriteFlow(port, "COM1", image, host, options, Language::English);
    }

    const ChannelImage before = filled(7);
    const ChannelImage image = filled(50); // differs from before in every byte
    RadioSim radio{before};
    SimPort port{radio};
    test::ScriptedHost host;
    std::vector<WriteStep> steps;
    std::vector<ChannelImage> kept;
};

TEST_F(WriteFlowTest, BackupWriteAndVerifyRunAsThreeSessionsOnOneProgressRun)
{
    const WriteFlowResult result = run(
        [this](const ChannelImage &held) {
            kept.push_back(held);
            return std::string();
        },
        true);

    ASSERT_EQ(result.outcome, WriteFlowOutcome::Completed) << result.message;
    EXPECT_EQ(kept, std::vector<ChannelImage>{before});
    EXPECT_EQ(result.message, text::kVerifyPassed.en);
    EXPECT_EQ(steps, (std::vector<WriteStep>{WriteStep::BackupRead, WriteStep::Write,
                                             WriteStep::VerifyRead}));
    // The last 16 bytes are the radio's own, and verify does not count them.
    for (std::size_t a = 0; a < kImageSize; ++a)
        ASSERT_EQ(radio.memory().byte(a), a < 0xFF0 ? image.byte(a) : before.byte(a)) << a;
    EXPECT_EQ(port.opens(), 3);
    EXPECT_EQ(host.progress, kProgressRange);
    EXPECT_EQ(host.progressClosed, 1);
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(WriteFlowTest, VerifyNamesTheAddressOfABlockTheRadioKeptWithABitFlipped)
{
    radio.faults().corruptWriteAtBlock = 5;
    const WriteFlowResult result = run({}, true);

    EXPECT_EQ(result.outcome, WriteFlowOutcome::VerifyMismatch);
    EXPECT_EQ(result.differenceCount, 1u);
    EXPECT_EQ(result.differingAddresses, std::vector<std::size_t>{0x28});
    EXPECT_EQ(host.texts("warning"),
              std::vector<std::string>{fillIn(text::kVerifyFailed.en, {"1", "0x028"})});
    EXPECT_EQ(host.watchWhenShown, std::vector<bool>{false});
    EXPECT_EQ(host.progressClosed, 1);
}

TEST(VerifyAddresses, OnlyWrittenBytesCountAndAtMostEightAreNamed)
{
    const ChannelImage sent = filled(1);
    ChannelImage back = sent;
    for (std::size_t a : {0x000, 0x001, 0x100, 0x101, 0x102, 0x200, 0x300, 0x400, 0xFEF, 0xFF0})
        back.setByte(a, static_cast<std::uint8_t>(~back.byte(a)));

    const std::vector<std::size_t> differing = writtenBytesDiffering(sent, back);
    EXPECT_EQ(differing.size(), 9u);
    EXPECT_EQ(addressList(differing), "0x000, 0x001, 0x100, 0x101, 0x102, 0x200, 0x300, 0x400");
}

} // namespace kx9::write_flow_test
