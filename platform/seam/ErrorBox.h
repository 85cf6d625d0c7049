// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Platform {

// The standard error box: critical icon, caption = application title, one OK button.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void showError(const QString& text) = 0;
};

} // namespace Platform
