#include "platform/Application.h"

#include "platform/Errors.h"

namespace Platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("velmora"));
    setApplicationDisplayName(QStringLiteral("Velmora"));
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
