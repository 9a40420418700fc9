#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kx9 {

inline constexpr std::size_t kImageSize = 4096;

// The radio's 4096-byte configuration memory; radio address A is offset A.
class ChannelImage
{
public:
    using Bytes = std::array<std::uint8_t, kImageSize>;

    ChannelImage() { m_bytes.fill(0xFF); }

    std::uint8_t byte(std::size_t offset) const
    {
        assert(offset < kImageSize);
        return m_bytes[offset];
    }
    void setByte(std::size_t offset, std::uint8_t value)
    {
        assert(offset < kImageSize);
        m_bytes[offset] = value;
    }

    std::span<const std::uint8_t, kImageSize> bytes() const { return m_bytes; }
    std::span<std::uint8_t, kImageSize> bytes() { return m_bytes; }

    friend bool operator==(const ChannelImage &, const ChannelImage &) = default;

private:
    Bytes m_bytes;
};

} // namespace kx9
