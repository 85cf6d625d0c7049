// SPDX-License-Identifier: GPL-3.0-or-later
// The web facilities (the panes and the Flash player) live in a module of their own beside the
// program, modules/libvelmora_web.so, so that a run that shows no web page never loads the web engine.
// The module is loaded the first time a pane or a player is needed.
#pragma once

#include "MovieControl.h"
#include "WebFacilities.h"
#include "WebPane.h"

#include <QString>

namespace Platform {

// The module's file: modules/libvelmora_web.so in the program folder.
QString WebModulePath();

// The module's facilities, loaded on the first call (a program that links the module itself uses
// its own copy); null, with the reason in *error, when the module is missing or cannot be loaded.
const VelmoraWebFacilities* WebModule(QString* error = nullptr);

// Panes that load the module on their first page (or prepare()). Without the module a pane hides
// itself for good and loads nothing.
class ModuleWebPanes final : public WebPaneFactory {
public:
    std::unique_ptr<WebPane> createPane(QWidget* place) override;
};

// Players from the module; without it createPlayer throws EVelmoraError with the reason.
class ModuleFlashPlayers final : public FlashPlayerFactory {
public:
    MovieControl* createPlayer(QWidget* parent) override;
};

} // namespace Platform
