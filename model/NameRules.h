#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx9 {

// What the name editor lets a user type: up to six of the radio's name
// characters ("0"-"9", "A"-"Z", "-", space), letters turned to upper case.
inline constexpr std::size_t kNameEditorLength = 6;

// A name from outside the editor (a pasted cell, a line of a channel list)
// brought to what typing could have given: ASCII letters upper-cased,
// characters the radio cannot show dropped (each would end the stored name
// there), then cut to the editor's length; a name that must be cut loses
// its surrounding blanks first. The caller compares the result
// with the text to tell the user of a change.
std::string fitChannelName(std::string_view text);

} // namespace kx9
