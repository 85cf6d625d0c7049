// Test entry: a Qt application object for timers and widgets (WebEngine prepared first when used).
#include <QApplication>

#include <gtest/gtest.h>

#ifdef PROMO_WEB_TESTS
#include "platform/WebEngineEnv.h"
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Headless unless told otherwise, also when CTest lists the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef PROMO_WEB_TESTS
    Platform::PrepareWebEngine();
#endif
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
