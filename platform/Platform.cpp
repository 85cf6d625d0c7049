// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where each facility's Linux implementation is chosen.
#include "Platform.h"

#include "Beeper.h"
#include "CurlHttpClient.h"
#include "DbQuery.h"
#include "HiveFileRegistry.h"
#include "Launcher.h"
#include "QtBeeper.h"
#include "QtErrorBox.h"
#include "SystemFacilities.h"
#include "WebModule.h"
#include "WindowPlacement.h"
#include "XdgLauncher.h"

namespace Platform {

Services::Services()
    : facilities_(std::make_shared<XdgLauncher>(), std::make_shared<QtBeeper>(),
                  std::make_shared<QtErrorBox>(), std::make_shared<CurlHttpClient>(),
                  std::make_shared<Registry::HiveFileRegistry>(), std::make_shared<SqliteDatabase>(),
                  std::make_shared<ProcProgramFolder>(), std::make_shared<ModuleWebPanes>(),
                  std::make_shared<ModuleFlashPlayers>(), std::make_shared<SystemClock>(),
                  std::make_shared<ScreenPlacement>()) {}

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

void PlaceOnScreen(QWidget* window, QPoint position) {
    services().placement().place(window, position);
}

} // namespace Platform
