#pragma once

#include "Port.h"

#include <array>
#include <cstdint>

namespace kx9 {

// The bytes every exchange with the radio shares.
namespace protocol {

inline constexpr std::uint8_t kAck = 0x06;
// The power exit may be answered 16 as well as 06.
inline constexpr std::uint8_t kAlternateAck = 0x16;
inline constexpr std::uint8_t kCommand = 'M';
// Wakes the radio for programming, power entry and debug mode.
inline constexpr std::array<std::uint8_t, 7> kWakeUp{0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
inline constexpr std::array<std::uint8_t, 7> kTuningWakeUp{0x02, 'P', 'R', 'G', 'G', 'P', 'A'};
inline constexpr std::array<std::uint8_t, 7> kExitWakeUp{0x02, 'P', 'R', 'O', 'G', 'P', 'A'};
// After 'M': the identification request of programming and debug mode.
inline constexpr std::uint8_t kIdentify = 0x02;
inline constexpr std::size_t kIdentificationSize = 8;
// Where the radio's identity byte lies in the identification reply.
inline constexpr std::size_t kIdentityIndex = 4;

} // namespace protocol

enum class WakeUpReply {
    Ack,
    Silent, // no byte came, or the device failed
    Wrong,  // bytes came, none of them an acknowledge
};

// The answer to a wake-up. The radio may put one stray byte before its
// acknowledge, and a receive that times out is not yet a failure: one more
// byte is received either way. A device error ends the wait at once.
WakeUpReply awaitWakeUpAck(Port &port, bool acceptsAlternate = false);

} // namespace kx9
