// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebPane.h"

#include <QUrl>

namespace Platform {

void PanePlace::setVisible(bool on) const {
    if (place_)
        place_->setVisible(on);
}

void PanePlace::setTop(int y) const {
    if (place_)
        place_->move(place_->x(), y);
}

bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

} // namespace Platform
