// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "Errors.h"
#include "Fonts.h"

namespace Platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // The name is the class of X11's WM_CLASS (the desktop entry's StartupWMClass). The desktop file
    // name is the application id: a Wayland shell gets it as the window's app id and finds the menu
    // entry and icon by it (example.velmora.Velmora.desktop).
    setApplicationName(QStringLiteral("velmora"));
    setDesktopFileName(QStringLiteral("example.velmora.Velmora"));
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

} // namespace Platform
