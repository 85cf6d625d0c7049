#pragma once

#include "ErrorBox.h"

namespace Platform {

class QtErrorBox final : public ErrorBox {
public:
    void showError(const QString& text) override;
};

} // namespace Platform
