// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaneFocusFrame.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace Platform::Web {

PaneFocusFrame::PaneFocusFrame(QWidget* view) : QWidget(view), view_(view) {
    setObjectName(QStringLiteral("PaneFocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    view->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { follow(); });
    hide();
}

bool PaneFocusFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded))
        follow();
    return QWidget::eventFilter(watched, event);
}

void PaneFocusFrame::follow() {
    const QWidget* focus = QApplication::focusWidget();
    const bool inside = focus && (focus == view_ || view_->isAncestorOf(focus));
    setGeometry(view_->rect());
    setVisible(inside);
    if (inside)
        raise();
}

void PaneFocusFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), 3);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace Platform::Web
