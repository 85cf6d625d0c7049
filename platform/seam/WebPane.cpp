// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebPane.h"

#include <QUrl>

namespace Platform {

bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

} // namespace Platform
