#include "platform/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Headless, and with a promotion server that refuses at once, also when run by hand or when
    // CTest lists the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("VELMORA_PROMO_SERVER"))
        qputenv("VELMORA_PROMO_SERVER", "http://127.0.0.1:9");
    Platform::Application app(argc, argv);
    // Closing a test's window must not post a quit request that ends a later test's loop.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
