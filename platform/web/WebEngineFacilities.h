// SPDX-License-Identifier: GPL-3.0-or-later
// The web facilities drawn by Qt WebEngine: the panes and the Ruffle Flash player.
#pragma once

#include "MovieControl.h"
#include "WebPane.h"

namespace Platform {

class WebEnginePanes final : public WebPaneFactory {
public:
    std::unique_ptr<WebPane> createPane(QWidget* place) override;
};

class RufflePlayers final : public FlashPlayerFactory {
public:
    MovieControl* createPlayer(QWidget* parent) override;
};

} // namespace Platform
