#pragma once

#include <string>
#include <string_view>

namespace kx9 {

enum class Language { English, Chinese };

// File name of the executable without folder and extension; "MAIN" when the
// name has no dot. Both '/' and '\' end a folder name.
std::string programBaseName(std::string_view executablePath);

// The base name of the running executable (/proc/self/exe).
std::string programBaseName();

// The process-wide language tag: empty at process start, base name + "_EN"
// after start-up, base name + "_CH" after a switch to Chinese.
const std::string &languageTag();
void setLanguageTag(std::string tag);

// True exactly when the tag equals the base name followed by "_EN".
bool isEnglish();
Language currentLanguage();

} // namespace kx9
