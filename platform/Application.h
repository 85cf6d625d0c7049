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
};

} // namespace Platform
