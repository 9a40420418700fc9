#pragma once

#include "SimPort.h"

#include <cstdio>
#include <string>
#include <vector>

namespace kx9::test {

inline std::string hex(std::span<const std::uint8_t> bytes)
{
    std::string s;
    char part[4];
    for (std::uint8_t b : bytes)
        s.append(part, static_cast<std::size_t>(std::snprintf(part, sizeof part, " %02X", b)));
    return s.empty() ? s : s.substr(1);
}

// One readable line per port call, from call index from on.
inline std::vector<std::string> trace(const std::vector<SimPort::Call> &calls, std::size_t from = 0)
{
    using Kind = SimPort::Call::Kind;
    std::vector<std::string> out;
    for (std::size_t i = from; i < calls.size(); ++i) {
        const SimPort::Call &c = calls[i];
        if (c.kind == Kind::Send)
            out.push_back("send " + hex(c.bytes));
        else if (c.kind == Kind::Receive)
            out.push_back("recv " + std::to_string(c.asked) + ":" + hex(c.bytes));
        else if (c.kind == Kind::Purge)
            out.push_back(c.purge == PurgeKind::Clear ? "purge" : "purge abort");
        else if (c.kind == Kind::Pause)
            out.push_back("pause " + std::to_string(c.duration.count()));
        else
            out.push_back(c.kind == Kind::Open ? "open" : "close");
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
