// main() of the widget tests: off screen, in English.

#include "Language.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kx9::setLanguageTag(kx9::programBaseName() + "_EN");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
