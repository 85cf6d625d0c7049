// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebEngineEnv.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QString>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Platform {

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt WebEngine reports its start-up settings at the info level: not for the user's terminal.
void QuietWebEngineMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtInfoMsg &&
        ((context.category && std::strcmp(context.category, "qt.webenginecontext") == 0) ||
         message == QLatin1String("Sandboxing disabled by user.")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void PrepareWebEngine() {
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", /*overwrite=*/0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    // Chromium logs to the terminal from every process (GPU blocklists and the like, at its error
    // level): only its fatal messages are kept, unless the user asks for a log level himself.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--log-level") && !flags.contains("--enable-logging")) {
        flags += flags.isEmpty() ? "--log-level=3" : " --log-level=3";
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.constData(), 1);
    }
    // The pages' console messages below the error level are not ours to show (QT_LOGGING_RULES
    // can turn them back on); our own warnings and every critical message still reach stderr.
    QLoggingCategory::setFilterRules(QStringLiteral("js.info=false\njs.warning=false\njs.debug=false"));
    previousHandler = qInstallMessageHandler(QuietWebEngineMessages);
}

} // namespace Platform
