#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace kx9::languagepack {

// The language packs <tag>.qm (MAIN_EN.qm, MAIN_CH.qm for our programs),
// made from the .ts sources in app/translations. At most one is in force,
// process-wide, as ui() reads it; none at a start in English, where the
// program's own English texts serve.

// Where packs are looked for, in order: the executable's folder, then the
// installed data folder (as seen from the executable, then as configured).
QStringList searchFolders();
// Tests point the search at folders of their own; empty restores the default.
void setSearchFolders(const QStringList &folders);

// The first <tag>.qm of the search folders, or empty when none exists.
QString packPath(const std::string &tag);

// Loads <tag>.qm and puts it in force, releasing the pack before it. False
// when no folder holds it or it is no valid pack: the pack in force stays.
bool load(const std::string &tag);

// The file name of the pack in force; empty while none is.
QString loadedPack();

} // namespace kx9::languagepack
