#pragma once

#include "platform/Platform.h"

namespace Platform {

class QtBeeper final : public Beeper {
public:
    void beep() override;
};

} // namespace Platform
