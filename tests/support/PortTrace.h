#pragma once

#include "SimPort.h"

#include <cstdio>
#include <string>
#include <vector>

namespace kx9::test {

inline std::string hex(std::span<const std::uint8_t> bytes)
{
    std::string s;
    for (std::uint8_t b : bytes) {
        char part[4];
        std::snprintf(part, sizeof part, s.empty() ? "%02X" : " %02X", b);
        s += part;
    }
    return s;
}

// One readable line per port call, from call index from on.
inline std::vector<std::string> trace(const std::vector<SimPort::Call> &calls, std::size_t from = 0)
{
    using Kind = SimPort::Call::Kind;
    std::vector<std::string> out;
    for (std::size_t i = from; i < calls.size(); ++i) {
        const SimPort::Call &c = calls[i];
        switch (c.kind) {
        case Kind::Open:
            out.push_back("open");
            break;
        case Kind::Close:
            out.push_back("close");
            break;
        case Kind::Send:
            out.push_back("send " + hex(c.bytes));
            break;
        case Kind::Receive:
            out.push_back("recv " + std::to_string(c.asked) + ":" + hex(c.bytes));
            break;
        case Kind::Purge:
            out.push_back(c.purge == PurgeKind::Clear ? "purge" : "purge abort");
            break;
        case Kind::Pause:
            out.push_back("pause " + std::to_string(c.duration.count()));
            break;
        }
    }
    return out;
}

// The calls of sending these bytes one per write, each after a purge, with
// the given pause (ms) before or after each byte; 0 for none.
inline std::vector<std::string> bytewise(std::string_view bytes, int pauseBefore, int pauseAfter)
{
    std::vector<std::string> out;
    for (char c : bytes) {
        if (pauseBefore)
            out.push_back("pause " + std::to_string(pauseBefore));
        out.push_back("purge");
        out.push_back("send " + hex(std::vector<std::uint8_t>{static_cast<std::uint8_t>(c)}));
        if (pauseAfter)
            out.push_back("pause " + std::to_string(pauseAfter));
    }
    return out;
}

inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Sends made to the radio that hold exactly these bytes.
inline int countSends(const std::vector<SimPort::Call> &calls, std::vector<std::uint8_t> bytes)
{
    int n = 0;
    for (const SimPort::Call &c : calls)
        n += c.kind == SimPort::Call::Kind::Send && c.bytes == bytes;
    return n;
}

} // namespace kx9::test
