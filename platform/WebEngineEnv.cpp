#include "WebEngineEnv.h"

#include <QCoreApplication>

#include <cstdlib>
#include <unistd.h>

namespace Platform {

void PrepareWebEngine() {
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", /*overwrite=*/0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace Platform
