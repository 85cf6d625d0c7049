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
    Brush = c;
    update();
}

void TShape::setPenColor(const QColor& c) {
    Pen = c;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    // The outline is one pixel wide and lies inside the rectangle: drawn along the pixel centres,
    // so at any scale (1.25, 1.5, 2) all four edges land inside the widget and none is cut off.
    QPainter p(this);
    QPen pen(Pen);
    pen.setWidthF(1.0);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Brush);
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

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), Up(new QToolButton(this)), Down(new QToolButton(this)) {
    Up->setObjectName(QStringLiteral("up"));
    Down->setObjectName(QStringLiteral("down"));
    Up->setArrowType(Qt::UpArrow);
    Down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {Up, Down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(6, 6));
    }
    setFocusPolicy(Qt::TabFocus);
    connect(Up, &QToolButton::clicked, this, [this] { Step(btNext); });
    connect(Down, &QToolButton::clicked, this, [this] { Step(btPrev); });
}

void TUpDown::setMinimum(int v) {
    Min = v;
    Max = std::max(Max, Min);
    Position = std::clamp(Position, Min, Max);
}

void TUpDown::setMaximum(int v) {
    Max = v;
    Min = std::min(Min, Max);
    Position = std::clamp(Position, Min, Max);
}

void TUpDown::setPosition(int v) {
    Position = std::clamp(v, Min, Max);
}

void TUpDown::Step(TUDBtnType button) {
    const int next = std::clamp(Position + (button == btNext ? 1 : -1), Min, Max);
    if (next == Position)
        return; // no wrap-around: at either end a press changes nothing
    Position = next;
    emit Click(button);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    Up->setGeometry(0, 0, width(), upper);
    Down->setGeometry(0, upper, width(), height() - upper);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        Step(btNext);
    else if (event->key() == Qt::Key_Down)
        Step(btPrev);
    else
        QWidget::keyPressEvent(event);
}
