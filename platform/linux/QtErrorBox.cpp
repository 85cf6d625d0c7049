// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtErrorBox.h"

#include "Application.h"

#include <QApplication>
#include <QMessageBox>

namespace Platform {

void QtErrorBox::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, Application::title(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

} // namespace Platform
