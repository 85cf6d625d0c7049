// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one set of facilities and the shortcuts the windows use.
#include "Platform.h"

#include "Beeper.h"
#include "Launcher.h"
#include "ProgramFolder.h"
#include "WindowPlacement.h"

#include <cstdio>
#include <cstdlib>

namespace Platform {

void Services::missing(const char* facility) {
    std::fprintf(stderr, "velmora: a facility was asked for before any was installed: %s\n", facility);
    std::abort();
}

Services& services() {
    static Services instance;
    return instance;
}

void OpenInBrowser(const QString& address) {
    services().launcher().openInBrowser(address);
}

void Beep() {
    services().beeper().beep();
}

QString ProgramPath() {
    return services().programFolder().path();
}

void CentreOnScreen(QWidget* window) {
    services().placement().centre(window);
}

} // namespace Platform
