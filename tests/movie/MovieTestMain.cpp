// Test main for the movie tests: the web engine wants its process set up before the application.
#include "platform/Application.h"
#include "platform/WebEngineEnv.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    Platform::PrepareWebEngine();
    Platform::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
