#include "platform/Fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Also when the test list is read at build time, outside CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Platform::InstallFontSubstitutes(); // the program's font fallbacks, so text is measured as shown
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
