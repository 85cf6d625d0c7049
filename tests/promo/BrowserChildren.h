// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the Chromium processes this test process has started.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>

inline int BrowserChildren() {
    int n = 0;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& task :
         QDir(QStringLiteral("/proc/%1/task").arg(self)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(QStringLiteral("/proc/%1/task/%2/children").arg(self, task));
        if (!children.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& pid : children.readAll().split(' ')) {
            QFile cmd("/proc/" + pid.trimmed() + "/cmdline");
            if (!pid.trimmed().isEmpty() && cmd.open(QIODevice::ReadOnly) &&
                cmd.readAll().contains("QtWebEngine"))
                ++n;
        }
    }
    return n;
}
