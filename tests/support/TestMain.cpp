// SPDX-License-Identifier: GPL-3.0-or-later
// The one entry of every Qt test program: headless unless a display is asked for, the program's
// application object (font substitutes, error backstop), the web engine prepared, and a promotion
// server that refuses at once, so that no test waits on the network. These also hold when CTest
// lists the tests, outside the tests' own environment.
#include "Application.h"
#include "LinuxFacilities.h"
#include "WebEngineEnv.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("VELMORA_TEST_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("VELMORA_PROMO_SERVER"))
        qputenv("VELMORA_PROMO_SERVER", "http://127.0.0.1:9");
    ::testing::InitGoogleTest(&argc, argv);
    Platform::PrepareWebEngine();
    Platform::Application app(argc, argv);
    // Closing a test's window must not post a quit request that ends a later test's loop.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
