// SPDX-License-Identifier: GPL-3.0-or-later
#include "XdgLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace Platform {

namespace {
void launchDetached(const QString& argument) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (program.isEmpty())
        return; // no launcher: nothing is reported
    QProcess::startDetached(program, {argument});
}
} // namespace

void XdgLauncher::openInBrowser(const QString& address) {
    launchDetached(address);
}

void XdgLauncher::openMail(const QString& address) {
    launchDetached(QStringLiteral("mailto:") + address);
}

} // namespace Platform
