// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace Platform {

// The application object. Its notify() is the backstop of the error mechanism: an exception that
// escapes any event handler is shown in the standard error box (or swallowed, for EAbort), and the
// event loop goes on. Handlers connected with Platform::Guarded() are caught even earlier.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The application title ("Velmora" unless set): the taskbar text and the caption of the
    // standard error box. It is not Qt's display name, which the X11 plugin would append to every
    // window's caption ("退出系统 — Velmora").
    static QString title();
    static void setTitle(const QString& title);
};

} // namespace Platform
