// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "Errors.h"
#include "Fonts.h"

#include <QTimer>

#include <malloc.h>

namespace Platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("velmora"));
    setDesktopFileName(QStringLiteral("velmora"));
    InstallFontSubstitutes();
}

namespace {
QString& storedTitle() {
    static QString title = QStringLiteral("Velmora");
    return title;
}
} // namespace

QString Application::title() {
    return storedTitle();
}

void Application::setTitle(const QString& title) {
    storedTitle() = title;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowUnknownException();
    }
    return false;
}

void Application::TrimAfterStartUp() {
    QTimer::singleShot(1000, [] { ::malloc_trim(0); });
}

} // namespace Platform
