#pragma once

#include "Language.h"

#include <QString>
#include <QUrl>

namespace kx9::help {

// The HTML manual, help/manual.html (English) or help/manual_zh.html, in
// the first folder that holds it of those searched for the language packs:
// beside the executable in a build tree, the data folder once installed.
// Empty when no folder holds it.
QString manualPath(Language language);

// manualPath() as a file URL. A missing manual gives the URL of where it is
// installed, so that the help window's warning names the file that is missing.
QUrl manualUrl(Language language);

} // namespace kx9::help
