// The one place where each facility's Linux implementation is chosen.
#include "platform/Platform.h"

#include "platform/CurlHttpClient.h"
#include "platform/QtBeeper.h"
#include "platform/QtErrorBox.h"
#include "platform/XdgLauncher.h"

namespace Platform {

Services::Services()
    : launcher_(std::make_shared<XdgLauncher>()), beeper_(std::make_shared<QtBeeper>()),
      errorBox_(std::make_shared<QtErrorBox>()), http_(std::make_shared<CurlHttpClient>()) {}

Services& services() {
    static Services instance;
    return instance;
}

} // namespace Platform
