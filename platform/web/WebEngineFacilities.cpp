// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebEngineFacilities.h"

#include "Errors.h"
#include "ShockwaveFlash.h"
#include "WebEngineEnv.h"
#include "WebEnginePane.h"

namespace Platform {

std::unique_ptr<WebPane> WebEnginePanes::createPane(QWidget* place) {
    if (!RemotePagesAllowed())
        throw EVelmoraError(QStringLiteral("web panes without Chromium's sandbox"));
    return std::make_unique<WebEnginePane>(place);
}

MovieControl* RufflePlayers::createPlayer(QWidget* parent) {
    return new ShockwaveFlash(parent);
}

} // namespace Platform
