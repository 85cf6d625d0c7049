// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where each facility's Linux implementation is chosen.
#include "LinuxFacilities.h"

#include "CurlHttpClient.h"
#include "DbQuery.h"
#include "HiveFileRegistry.h"
#include "Platform.h"
#include "QtBeeper.h"
#include "QtErrorBox.h"
#include "SystemFacilities.h"
#include "WebModule.h"
#include "XdgLauncher.h"

namespace Platform {

void UseLinuxFacilities() {
    Services& s = services();
    s.set<Launcher>(std::make_shared<XdgLauncher>());
    s.set<Beeper>(std::make_shared<QtBeeper>());
    s.set<ErrorBox>(std::make_shared<QtErrorBox>());
    s.set<HttpClient>(std::make_shared<CurlHttpClient>());
    s.set<UserRegistry>(std::make_shared<Registry::HiveFileRegistry>());
    s.set<Database>(std::make_shared<SqliteDatabase>());
    s.set<ProgramFolder>(std::make_shared<ProcProgramFolder>());
    s.set<WebPaneFactory>(std::make_shared<ModuleWebPanes>());
    s.set<FlashPlayerFactory>(std::make_shared<ModuleFlashPlayers>());
    s.set<Clock>(std::make_shared<SystemClock>());
    s.set<WindowPlacement>(std::make_shared<ScreenPlacement>());
}

} // namespace Platform
