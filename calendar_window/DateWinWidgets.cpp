// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateWinWidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

// ---- TShape ---------------------------------------------------------------------------------------

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::setBrushColor(const QColor& c) {
    brush_ = c;
    update();
}

void TShape::setPenColor(const QColor& c) {
    pen_ = c;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    // The outline is one pixel wide and lies inside the rectangle: drawn along the pixel centres,
    // so at any scale (1.25, 1.5, 2) all four edges land inside the widget and none is cut off.
    QPainter p(this);
    QPen pen(pen_);
    pen.setWidthF(1.0);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(brush_);
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

// ---- TBevel ---------------------------------------------------------------------------------------

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*) {
    // Lowered: a shadow line with a highlight line under it, on the last two pixel rows.
    QPainter p(this);
    const int y = height() - 2;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, y, width() - 1, y);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, y + 1, width() - 1, y + 1);
}

// ---- TUpDown --------------------------------------------------------------------------------------

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(6, 6));
    }
    setFocusPolicy(Qt::TabFocus);
    connect(up_, &QToolButton::clicked, this, [this] { step(btNext); });
    connect(down_, &QToolButton::clicked, this, [this] { step(btPrev); });
}

void TUpDown::setMinimum(int v) {
    min_ = v;
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
}

void TUpDown::setMaximum(int v) {
    max_ = v;
    min_ = std::min(min_, max_);
    position_ = std::clamp(position_, min_, max_);
}

void TUpDown::setPosition(int v) {
    position_ = std::clamp(v, min_, max_);
}

void TUpDown::step(TUDBtnType button) {
    const int next = std::clamp(position_ + (button == btNext ? 1 : -1), min_, max_);
    if (next == position_)
        return; // no wrap-around: at either end a press changes nothing
    position_ = next;
    emit Click(button);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        step(btNext);
    else if (event->key() == Qt::Key_Down)
        step(btPrev);
    else
        QWidget::keyPressEvent(event);
}
