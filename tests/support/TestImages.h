#pragma once

#include "ChannelImage.h"

namespace kx9::test {

// A memory whose every byte differs from its neighbours and, by seed, from
// another pattern's: what a transfer moved shows byte by byte.
inline ChannelImage patternImage(std::uint8_t seed, std::uint8_t identity = 0x01)
{
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7 + seed + (i >> 8)));
    image.setRadioIdentity(identity);
    return image;
}

// What a radio may hold that the table would write otherwise: channels 2-128
// empty as all FF, settings no dialog list can show; channel 1 kept in use.
inline ChannelImage withRadioOwnBytes(ChannelImage image)
{
    image.setRxFrequency(1, 44600625);
    for (std::size_t address = 0x010; address < 0x800; ++address)
        image.setByte(address, 0xFF);
    image.setByte(0x813, 0x0C);
    image.setByte(0x815, 0x07);
    image.setByte(0x81A, 0x90);
    return image;
}

} // namespace kx9::test
