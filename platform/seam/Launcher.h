// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Platform {

// Starts the user's browser (or mail program) on one address. Fire and forget: nothing waits for
// it and nothing reads its result; a missing or failing launcher is not reported.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual void openInBrowser(const QString& address) = 0;
    virtual void openMail(const QString& address) = 0; // address without "mailto:"
};

} // namespace Platform
