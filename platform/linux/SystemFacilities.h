// SPDX-License-Identifier: GPL-3.0-or-later
// The small Linux facilities: the program folder from /proc, the system clock and window placement
// on the primary screen.
#pragma once

#include "Clock.h"
#include "ProgramFolder.h"
#include "WindowPlacement.h"

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
    void centre(QWidget* window) override;
};

} // namespace Platform
