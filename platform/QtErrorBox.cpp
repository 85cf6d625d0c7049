#include "platform/QtErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace Platform {

void QtErrorBox::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

} // namespace Platform
