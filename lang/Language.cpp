#include "Language.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace kx9 {

namespace {

// The executable path is read into a buffer of this many characters; a longer
// path comes back cut, as the program always did.
constexpr std::size_t kPathBufferSize = 200;

std::string &tagStorage()
{
    static std::string tag;
    return tag;
}

} // namespace

std::string programBaseName(std::string_view executablePath)
{
    std::string path(executablePath.substr(0, kPathBufferSize - 1));
    while (!path.empty() && std::isspace(static_cast<unsigned char>(path.back())) != 0) {
        path.pop_back();
    }
    const auto slash = path.find_last_of("/\\");
    if (slash != std::string::npos) {
        path.erase(0, slash + 1);
    }
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) {
        return "MAIN";
    }
    return path.substr(0, dot);
}

std::string programBaseName()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return programBaseName(error ? std::string() : exe.string());
}

const std::string &languageTag()
{
    return tagStorage();
}

void setLanguageTag(std::string tag)
{
    tagStorage() = std::move(tag);
}

bool isEnglish()
{
    return languageTag() == programBaseName() + "_EN";
}

Language currentLanguage()
{
    return isEnglish() ? Language::English : Language::Chinese;
}

} // namespace kx9
