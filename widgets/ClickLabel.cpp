// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClickLabel.h"

#include <QMouseEvent>

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        LeftDown = true;
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    // The label keeps the mouse grab while a button is down, so a release elsewhere still lands
    // here; only a release over the label makes a click.
    const bool click =
        LeftDown && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        LeftDown = false;
    event->accept();
    if (click)
        emit Click();
}
