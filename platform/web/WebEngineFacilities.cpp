// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebEngineFacilities.h"

#include "ShockwaveFlash.h"
#include "WebEnginePane.h"

namespace Platform {

std::unique_ptr<WebPane> WebEnginePanes::createPane(QWidget* place) {
    return std::make_unique<WebEnginePane>(place);
}

MovieControl* RufflePlayers::createPlayer(QWidget* parent) {
    return new ShockwaveFlash(parent);
}

} // namespace Platform
