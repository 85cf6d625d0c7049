// SPDX-License-Identifier: GPL-3.0-or-later
// The small Linux facilities: the program folder from /proc, the system clock and window placement
// on the primary screen.
#pragma once

#include "Clock.h"
#include "ProgramFolder.h"
#include "WindowPlacement.h"

#include <QPointer>
#include <QRect>

#include <memory>
#include <vector>

class QObject;
class QScreen;

namespace Platform {

class ProcProgramFolder final : public ProgramFolder {
public:
    QString path() override; // the folder of /proc/self/exe
};

class SystemClock final : public Clock {
public:
    QDate today() override;
};

class ScreenPlacement final : public WindowPlacement {
public:
    ScreenPlacement();
    ~ScreenPlacement() override;
    void centre(QWidget* window) override;
    void place(QWidget* window, QPoint position) override;

    // Where a window whose frame is this rectangle goes inside the area: where it is when it fits;
    // else moved in just far enough, or to the area's top-left corner on the sides where it is
    // larger than the area, so that its title bar shows.
    static QPoint fitted(const QRect& frame, const QRect& area);

    // Moves every window placed here (still shown) back inside its screen's work area.
    void refit();

private:
    void track(QWidget* window);
    void watch(QScreen* screen);
    void refit(QWidget* window);

    std::unique_ptr<QObject> watcher_; // connections to the screens and the windows' show events
    std::vector<QPointer<QWidget>> placed_;
};

} // namespace Platform
