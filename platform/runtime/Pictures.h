// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

class QLabel;

namespace Platform {

// A picture of the resources for a screen scaled by ratio. Above 1, the twice-size rendering
// name@2x.ext is used where there is one, brought smoothly to the scale, so the picture stays
// sharp at 1.25, 1.5 and 2; its logical size is always that of the 1x picture.
QPixmap Picture(const QString& path, qreal ratio);

// Shows the picture in label at the label's scale.
void SetPicture(QLabel* label, const QString& path);

} // namespace Platform
