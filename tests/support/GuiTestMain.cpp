// main() of the widget tests: off screen, in English.

#include "Language.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The backups every read keeps, and the settings, stay out of the user's.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    QApplication app(argc, argv);
    kx9::setLanguageTag(kx9::programBaseName() + "_EN");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
