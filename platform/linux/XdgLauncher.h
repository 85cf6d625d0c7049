// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Launcher.h"

namespace Platform {

// Runs "xdg-open ADDRESS" found on PATH, detached.
class XdgLauncher final : public Launcher {
public:
    void openInBrowser(const QString& address) override;
    void openMail(const QString& address) override;
};

} // namespace Platform
