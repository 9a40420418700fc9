#include "RadioSim.h"

#include <gtest/gtest.h>

#include <vector>

namespace kx9 {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kWakeUp{0x02, 'P', 'R', 'O', 'G', 'R', 'A'};

class RadioSimTest : public ::testing::Test
{
protected:
    RadioSimTest()
    {
        ChannelImage memory;
        for (std::size_t i = 0; i < kImageSize; ++i)
            memory.setByte(i, static_cast<std::uint8_t>(i ^ (i >> 8)));
        memory.setRadioIdentity(0x23);
        radio.setMemory(memory);
    }
    Bytes send(const Bytes &bytes) { return radio.receive(bytes); }
    void connect()
    {
        ASSERT_EQ(send(kWakeUp), Bytes{0x06});
        ASSERT_EQ(send({'M', 0x02}).size(), 8u);
        ASSERT_EQ(send({0x06}), Bytes{0x06});
    }

    RadioSim radio;
};

// A request for an address between blocks gets no answer, so a transfer
// that miscounts addresses fails instead of reading shifted data.
TEST_F(RadioSimTest, WriteStoresTheBlockAndRequestsOffTheEightByteGridAreIgnored)
{
    connect();
    // Data that looks like a wake-up is still data.
    EXPECT_EQ(send({'W', 0x0F, 0xE8, 0x08}), Bytes{});
    EXPECT_EQ(send({0x02, 'P', 'R', 'O', 'G', 'R', 'A', 0x07}), Bytes{0x06});
    EXPECT_EQ(std::tuple(radio.memory().byte(0xFE8), radio.memory().byte(0xFEF),
                         radio.completedWrites(), radio.state()),
              std::tuple(std::uint8_t{0x02}, std::uint8_t{0x07}, 1, RadioSim::State::Programming));

    for (const int low : {0x01, 0x04, 0x07, 0x0C})
        EXPECT_EQ(send({'R', 0x01, static_cast<std::uint8_t>(low), 0x08}), Bytes{}) << low;
    EXPECT_EQ(send({'W', 0x01, 0x04, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}), Bytes{});
    EXPECT_EQ(radio.memory().byte(0x108), (0x108 ^ 0x01) & 0xFF);
    EXPECT_EQ(send({'R', 0x01, 0x08, 0x08}).size(), 12u);
}

// A whole debug-mode setting in one piece, as a line that buffers delivers
// it: each step is answered, none waits for bytes already there. Byte by
// byte, as a slow line delivers it, the same again.
TEST_F(RadioSimTest, ADebugSettingInOnePieceOrByteByByteIsAnsweredWhole)
{
    const Bytes setting{'x',  'r',  'r',  0x08, 0x25, 0x06, 0x60, 0x44, 0x25, 0x06,
                        0x60, 0x44, 0x85, 0x08, 0x00, 0x00, 0xFB, 0x01, 0x01, 0x2A};
    for (const std::size_t piece : {setting.size(), std::size_t{1}}) {
        radio = RadioSim();
        connect();
        Bytes replies;
        for (std::size_t at = 0; at < setting.size(); at += piece) {
            const Bytes r = send(Bytes(setting.begin() + std::ptrdiff_t(at),
                                       setting.begin() + std::ptrdiff_t(at + piece)));
            replies.insert(replies.end(), r.begin(), r.end());
        }
        EXPECT_EQ(replies, (Bytes{'H', 'H', 'H'})) << piece;
        ASSERT_EQ(radio.debugSettings().size(), 1u);
        const RadioSim::DebugSetting &got = radio.debugSettings()[0];
        EXPECT_EQ(std::tuple(got.item, got.rxFrequency, got.txFrequency, got.rxTone, got.value),
                  std::tuple(std::uint8_t{'r'}, 44600625u, 44600625u, 885u, std::uint8_t{0x2A}));
    }
}

} // namespace
} // namespace kx9
