// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the calendar window on a fixed "today" (argument yyyy-mm-dd) for looking at it and taking
// screenshots: xvfb-run -a calwin_shot 2024-02-14, then `import -window root shot.png`.
// With a second argument it saves the window's own image to that file and exits. --dark first gives the
// application a dark palette (tips included), to look at the window and the day hints in it.
#include "Application.h"
#include "DateWin.h"
#include "Fakes.h"
#include "LinuxFacilities.h"

#include <QApplication>
#include <QDate>
#include <QPalette>
#include <QTimer>
#include <QToolTip>

#include <cstdio>
#include <cstring>
#include <optional>

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    Platform::Application app(argc, argv);
    // The arguments after --dark, if it is given: args[0] the date, args[1] the picture.
    const bool dark = argc > 1 && std::strcmp(argv[1], "--dark") == 0;
    char** const args = argv + (dark ? 2 : 1);
    const int count = argc - (dark ? 2 : 1);
    if (dark) {
        QPalette palette(QColor(0x35, 0x35, 0x35)); // buttons; Qt derives the other roles from it
        palette.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
        palette.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
        palette.setColor(QPalette::ToolTipBase, QColor(0x31, 0x36, 0x3B));
        palette.setColor(QPalette::ToolTipText, QColor(0xEF, 0xF0, 0xF1));
        QApplication::setPalette(palette);
        QToolTip::setPalette(palette);
    }
    std::optional<Platform::ScopedService<Platform::Clock>> today;
    if (count > 0) {
        const QDate d = QDate::fromString(QString::fromLocal8Bit(args[0]), Qt::ISODate);
        if (!d.isValid()) {
            std::fprintf(stderr, "usage: calwin_shot [--dark] [yyyy-mm-dd [out.png]]\n");
            return 2;
        }
        today.emplace(std::make_shared<FakeClock>(d));
    }
    FRM_Date = new TFRM_Date();
    if (count > 1) {
        FRM_Date->show();
        QTimer::singleShot(300, [&] {
            FRM_Date->grab().save(QString::fromLocal8Bit(args[1]));
            app.quit();
        });
        app.exec();
    } else {
        FRM_Date->exec();
    }
    delete FRM_Date;
    return 0;
}
