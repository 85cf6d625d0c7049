// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"

#include <QFileInfo>
#include <QLabel>

namespace Platform {

QPixmap Picture(const QString& path, qreal ratio) {
    if (ratio <= 1.0)
        return QPixmap(path);
    const QFileInfo info(path);
    const QString twice =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1String("@2x.") + info.suffix();
    QPixmap large(twice);
    if (large.isNull())
        return QPixmap(path);
    large.setDevicePixelRatio(1.0);
    if (ratio != 2.0) {
        const QSize native = large.size() / 2;
        large =
            large.scaled((QSizeF(native) * ratio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    large.setDevicePixelRatio(ratio);
    return large;
}

void SetPicture(QLabel* label, const QString& path) {
    label->setPixmap(Picture(path, label->devicePixelRatioF()));
}

} // namespace Platform
