// SPDX-License-Identifier: GPL-3.0-or-later
// The web engine module's one entry point, looked up by the platform layer (WebModule.cpp).
#include "WebEngineFacilities.h"
#include "WebFacilities.h"

extern "C" Q_DECL_EXPORT const VelmoraWebFacilities* velmora_web_facilities() {
    static Platform::WebEnginePanes panes;
    static Platform::RufflePlayers players;
    static const VelmoraWebFacilities facilities{&panes, &players};
    return &facilities;
}
