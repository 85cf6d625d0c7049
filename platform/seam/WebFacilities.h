// SPDX-License-Identifier: GPL-3.0-or-later
// The contract between the program and its web module, libvelmora_web.so: the module exports one
// C entry point; the program's loader (WebModule.h) finds it by name and calls it once.
#pragma once

#include "MovieControl.h"
#include "WebPane.h"

// What the module's one entry point, velmora_web_facilities(), returns: its two factories, which
// live as long as the process.
extern "C" {
struct VelmoraWebFacilities {
    Platform::WebPaneFactory* panes;
    Platform::FlashPlayerFactory* players;
};
}
using VelmoraWebEntry = const VelmoraWebFacilities* (*)();
#define VELMORA_WEB_ENTRY "velmora_web_facilities"
