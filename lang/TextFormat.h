#pragma once

#include <initializer_list>
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

} // namespace kx9
