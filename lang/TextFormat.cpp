#include "TextFormat.h"

#include <cstdint>
#include <vector>

namespace kx9 {

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    const std::vector<std::string_view> values(args);
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < values.size()) {
                out += values[index];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

void appendUtf8(std::string &out, char32_t ch)
{
    const auto c = static_cast<std::uint32_t>(ch);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string utf8(char32_t c)
{
    std::string out;
    appendUtf8(out, c);
    return out;
}

Utf8Char utf8CharAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    Utf8Char ch{lead, 1, true};
    if (lead >= 0xF0) {
        ch = {lead & 0x07u, 4, lead < 0xF5};
    } else if (lead >= 0xE0) {
        ch = {lead & 0x0Fu, 3, true};
    } else if (lead >= 0xC0) {
        ch = {lead & 0x1Fu, 2, lead >= 0xC2};
    } else if (lead >= 0x80) {
        return {0xFFFD, 1, false};
    }
    if (at + ch.length > text.size()) {
        return {0xFFFD, 1, false};
    }
    for (std::size_t k = 1; k < ch.length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        ch.valid = ch.valid && (next & 0xC0) == 0x80;
        ch.c = (ch.c << 6) | (next & 0x3Fu);
    }
    return ch;
}

std::optional<std::u32string> decodeUtf8(std::string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char ch = utf8CharAt(text, i);
        if (!ch.valid) {
            return std::nullopt;
        }
        out += ch.c;
        i += ch.length;
    }
    return out;
}

} // namespace kx9
