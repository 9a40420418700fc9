#pragma once

#include "Language.h"

#include <QString>

namespace kx9::help {

// The HTML manual, help/manual.html (English) or help/manual_zh.html, in
// the first folder that holds it of those searched for the language packs:
// beside the executable in a build tree, the data folder once installed.
// Empty when no folder holds it.
QString manualPath(Language language);
// Its name in those folders: help/manual.html or help/manual_zh.html.
QString manualName(Language language);

} // namespace kx9::help
