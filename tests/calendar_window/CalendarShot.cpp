// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the calendar window on a fixed "today" (argument yyyy-mm-dd) for looking at it and taking
// screenshots: xvfb-run -a calwin_shot 2024-02-14, then `import -window root shot.png`.
// With a second argument it saves the window's own image to that file and exits.
#include "Application.h"
#include "DateWin.h"
#include "Fakes.h"
#include "LinuxFacilities.h"

#include <QDate>
#include <QTimer>

#include <cstdio>
#include <optional>

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    Platform::Application app(argc, argv);
    std::optional<Platform::ScopedService<Platform::Clock>> today;
    if (argc > 1) {
        const QDate d = QDate::fromString(QString::fromLocal8Bit(argv[1]), Qt::ISODate);
        if (!d.isValid()) {
            std::fprintf(stderr, "usage: calwin_shot [yyyy-mm-dd [out.png]]\n");
            return 2;
        }
        today.emplace(std::make_shared<FakeClock>(d));
    }
    FRM_Date = new TFRM_Date();
    if (argc > 2) {
        FRM_Date->show();
        QTimer::singleShot(300, [&] {
            FRM_Date->grab().save(QString::fromLocal8Bit(argv[2]));
            app.quit();
        });
        app.exec();
    } else {
        FRM_Date->exec();
    }
    delete FRM_Date;
    return 0;
}
