// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ErrorBox.h"

namespace Platform {

class QtErrorBox final : public ErrorBox {
public:
    void showError(const QString& text) override;
};

} // namespace Platform
