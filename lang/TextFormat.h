#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace kx9 {

// Replaces %1 ... %9 in pattern by the arguments in order; a placeholder
// without an argument stays as it is. Catalogue texts that carry a file name
// or a count use this, so the words around them stay in one place.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

// True when the texts are equal but for the case of ASCII letters; other
// bytes (the Chinese texts among them) must match exactly.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// UTF-8, written and read in one place for every layer.
void appendUtf8(std::string &out, char32_t c);
std::string utf8(char32_t c);

// One character of UTF-8 text at a byte position. The length follows the
// lead byte alone (1 where the text ends too early or the byte cannot lead);
// valid is false for a sequence a strict reader must refuse.
struct Utf8Char
{
    char32_t c = 0;
    std::size_t length = 1;
    bool valid = true;
};
Utf8Char utf8CharAt(std::string_view text, std::size_t at);

// Code points of UTF-8 text; nothing when it is not valid UTF-8.
std::optional<std::u32string> decodeUtf8(std::string_view text);

} // namespace kx9
