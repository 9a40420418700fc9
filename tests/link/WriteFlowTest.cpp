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

#include <algorithm>
#include <optional>
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

// A clean write, and a block the radio acknowledged but kept with a bit flipped.
struct FlowCase
{
    const char *name;
    std::optional<int> corruptBlock;
    std::vector<std::size_t> differing;
    friend void PrintTo(const FlowCase &c, std::ostream *out) { *out << c.name; }
};

class WriteFlowTest : public ::testing::TestWithParam<FlowCase>
{
};

TEST_P(WriteFlowTest, BackupWriteAndVerifyRunAsThreeSessionsOnOneProgressRun)
{
    const FlowCase &c = GetParam();
    const ChannelImage before = filled(7);
    const ChannelImage image = filled(50); // differs from before in every byte
    RadioSim radio(before);
    radio.faults().corruptWriteAtBlock = c.corruptBlock;
    SimPort port(radio);
    test::ScriptedHost host;
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

    EXPECT_EQ(result.outcome,
              c.differing.empty() ? WriteFlowOutcome::Completed : WriteFlowOutcome::VerifyMismatch);
    EXPECT_EQ(kept, std::vector<ChannelImage>{before});
    EXPECT_EQ(steps, (std::vector<WriteStep>{WriteStep::BackupRead, WriteStep::Write,
                                             WriteStep::VerifyRead}));
    // The last 16 bytes are the radio's own, and verify does not count them.
    for (std::size_t a = 0; a < kImageSize; ++a) {
        const bool flipped = std::ranges::count(c.differing, a) == 1;
        ASSERT_EQ(radio.memory().byte(a), a < 0xFF0 ? image.byte(a) ^ flipped : before.byte(a))
            << a;
    }
    EXPECT_EQ(std::pair(result.differingAddresses, result.differenceCount),
              std::pair(c.differing, c.differing.size()));
    const std::string failed = fillIn(text::kVerifyFailed.en, {"1", "0x028"});
    EXPECT_EQ(result.message, c.differing.empty() ? std::string(text::kVerifyPassed.en) : failed);
    EXPECT_EQ(host.texts(),
              c.differing.empty() ? std::vector<std::string>{} : std::vector<std::string>{failed});
    EXPECT_EQ(host.watchWhenShown, std::vector<bool>(host.shown.size(), false));
    EXPECT_EQ(port.opens(), 3);
    EXPECT_EQ(host.progress, kProgressRange);
    EXPECT_EQ(host.progressClosed, 1);
}

INSTANTIATE_TEST_SUITE_P(Writes, WriteFlowTest,
                         ::testing::Values(FlowCase{"Clean", std::nullopt, {}},
                                           FlowCase{"Block5KeptWithABitFlipped", 5, {0x28}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(VerifyAddresses, OnlyWrittenBytesCountAndAtMostEightAreNamed)
{
    const ChannelImage sent = filled(1);
    ChannelImage back = sent;
    for (std::size_t a :
         {0x000u, 0x001u, 0x100u, 0x101u, 0x102u, 0x200u, 0x300u, 0x400u, 0xFEFu, 0xFF0u})
        back.setByte(a, static_cast<std::uint8_t>(~back.byte(a)));

    const std::vector<std::size_t> differing = writtenBytesDiffering(sent, back);
    EXPECT_EQ(differing.size(), 9u);
    EXPECT_EQ(addressList(differing), "0x000, 0x001, 0x100, 0x101, 0x102, 0x200, 0x300, 0x400");
}

} // namespace kx9::write_flow_test
