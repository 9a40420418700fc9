#pragma once

#include <QIcon>

namespace kx9::icons {

// The toolbar and window icons, drawn by the program itself so that it ships
// no image files.
QIcon newFile();
QIcon openFile();
QIcon saveFile();
QIcon readRadio();
QIcon writeRadio();
QIcon print();
QIcon contextHelp();
QIcon about();
QIcon application();

} // namespace kx9::icons
