#pragma once

#include <string>
#include <string_view>

namespace kx9 {

// The tag a confirmed switch goes to: base name + "_CH" from English, base
// name + "_EN" from anything else (an empty or foreign tag reads as Chinese).
std::string toggledLanguageTag(std::string_view baseName, std::string_view tag);

// The tag a run starts with, from the two settings the last switch stored
// (section MAIN, keys LANGUAGE and LANGUAGE_FORCE). Chinese only when the
// switch forced it for this program's base name; English otherwise, so a
// missing, edited or foreign setting can never leave the program without a
// language.
std::string startLanguageTag(std::string_view baseName, std::string_view storedTag,
                             std::string_view force);

} // namespace kx9
