#include "LanguageSwitch.h"

namespace kx9 {

std::string toggledLanguageTag(std::string_view baseName, std::string_view tag)
{
    const std::string english = std::string(baseName) + "_EN";
    return tag == english ? std::string(baseName) + "_CH" : english;
}

std::string startLanguageTag(std::string_view baseName, std::string_view storedTag,
                             std::string_view force)
{
    const std::string chinese = std::string(baseName) + "_CH";
    if (force == "1" && storedTag == chinese) {
        return chinese;
    }
    return std::string(baseName) + "_EN";
}

} // namespace kx9
