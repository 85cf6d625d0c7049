// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Beeper.h"

namespace Platform {

class QtBeeper final : public Beeper {
public:
    void beep() override;
};

} // namespace Platform
