// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the fingerprint window as a user sees it, with the reading of CODE, for a look under Xvfb.
// With SHOT.png it saves a picture of the window and quits; without, it stays until closed.
#include "LinuxFacilities.h"
#include "UntZhiwen.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    TFrmzhiwen window;
    window.findChild<QLineEdit*>(QStringLiteral("RzEditOX"))->setText(QString::fromLatin1(argv[1]));
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("RzBitBtn1"))->click();
    if (argc > 2) {
        QTimer::singleShot(300, &window, [&] {
            window.grab().save(QString::fromLocal8Bit(argv[2]));
            app.quit();
        });
    }
    return app.exec();
}
