#pragma once

#include <string>

namespace kx9 {

// The settings the language switch hands to the settings store: section
// MAIN with LANGUAGE (the tag in force) and LANGUAGE_FORCE ("1"), in the
// user's configuration folder (kx9/kx9.ini there). Empty when stored,
// otherwise the warning to show (storeSettings).
std::string storeLanguageSettings(const std::string &tag);

// Start-up: sets the language tag to the language chosen last and puts its
// pack in force. A Chinese pack that cannot be loaded leaves the program in
// English and says so on standard error. Returns the tag set.
std::string applyStartLanguage();

} // namespace kx9
