#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kx9 {

// Replaces %1 ... %9 in pattern by the arguments in order; a placeholder
// without an argument stays as it is. Catalogue texts that carry a file name
// or a count use this, so the words around them stay in one place.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace kx9
