// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebEngineEnv.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Platform {

namespace {

QtMessageHandler previousHandler = nullptr;

// Whether the user turned Chromium's sandbox off himself, read before we may turn it off for the
// movie player.
bool userDisabledSandbox = false;

bool sandboxOffInEnvironment() {
    return qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") ||
           qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox");
}

// Qt WebEngine reports its start-up settings at the info level: not for the user's terminal.
void QuietWebEngineMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtInfoMsg &&
        ((context.category && std::strcmp(context.category, "qt.webenginecontext") == 0) ||
         message == QLatin1String("Sandboxing disabled by user.")))
        return;
    // Without OpenGL, by choice: WebEngine's advice to share GL contexts does not apply.
    if (type == QtWarningMsg &&
        (message.startsWith(QLatin1String("Qt WebEngine seems to be initialized from a plugin.")) ||
         message.startsWith(QLatin1String("No suitable graphics backend found"))))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

bool RemotePagesAllowed() {
    if (::geteuid() != 0 || userDisabledSandbox)
        return true;
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.contains(QLatin1String("--no-sandbox"));
}

void PrepareWebEngineForLocalContent() {
    // Chromium reads this when the web engine starts, at its first page. As root that first page
    // is always local: no pane page renders in such a run.
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", /*overwrite=*/0);
}

void PrepareWebEngine() {
    userDisabledSandbox = sandboxOffInEnvironment();
    // Screen readers reach the pages' content (the panes' text) only with this on.
    ::setenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1", /*overwrite=*/0);
    // No OpenGL: our small pages and the movie draw in software for less memory and start-up
    // time than a GL context costs, and the web engine, loaded later from its module, needs no
    // context shared from the start (no AA_ShareOpenGLContexts). A user's own setting wins.
    ::setenv("QT_QUICK_BACKEND", "software", /*overwrite=*/0);
    ::setenv("QT_XCB_GL_INTEGRATION", "none", /*overwrite=*/0);

    // Chromium logs to the terminal from every process (GPU blocklists and the like, at its error
    // level): only its fatal messages are kept, unless the user asks for a log level himself.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    auto add = [&flags](const char* flag) {
        if (!flags.contains(flag))
            flags += (flags.isEmpty() ? "" : " ") + QByteArray(flag);
    };
    if (!flags.contains("--log-level") && !flags.contains("--enable-logging"))
        add("--log-level=3");
    // Chromium's own texts (and the language pages are asked for) are the program's, Chinese,
    // whatever the user's locale.
    if (!flags.contains("--lang"))
        add("--lang=zh-CN");
    add("--disable-gpu");
    add("--disable-gpu-compositing");
    // The movie player is WebAssembly. V8's baseline compiler alone keeps a playing movie some
    // 35 MiB smaller, and steady from run to run, than recompiling it all with the optimising one,
    // at the same frame rate and CPU time for our movies.
    if (!flags.contains("--js-flags"))
        add("--js-flags=--liftoff-only");
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.constData(), 1);
    // The pages' console messages below the error level are not ours to show (QT_LOGGING_RULES
    // can turn them back on); our own warnings and every critical message still reach stderr.
    // WebEngine's own start-up report (qt.webenginecontext at the info level) reads the shared
    // OpenGL context, which does not exist without GL: it stays off.
    QLoggingCategory::setFilterRules(QStringLiteral("js.info=false\njs.warning=false\njs.debug=false\n"
                                                    "qt.webenginecontext.info=false\n"
                                                    "qt.webenginecontext.debug=false"));
    previousHandler = qInstallMessageHandler(QuietWebEngineMessages);
}

} // namespace Platform
