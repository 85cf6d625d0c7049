// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClickLabel.h"

#include "AccessibleWidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickLabel::ClickLabel(QWidget* parent, Qt::WindowFlags f) : QLabel(parent, f) {
    // Tab only: a click keeps the focus where it was, as before.
    setFocusPolicy(Qt::TabFocus);
    Widgets::InstallAccessibleFactory();
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent, Qt::WindowFlags f) : ClickLabel(parent, f) {
    setText(text);
}

void ClickLabel::press() {
    emit Click();
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftDown_ = true;
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    // The label keeps the mouse grab while a button is down, so a release elsewhere still lands
    // here; only a release over the label makes a click.
    const bool click =
        leftDown_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        leftDown_ = false;
    event->accept();
    if (click)
        emit Click();
}

// As a push button: Return and Enter click on the press, Space on its release (held Space repeats
// nothing).
void ClickLabel::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        if (!event->isAutoRepeat())
            emit Click();
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Space) {
        event->accept();
        if (!event->isAutoRepeat())
            spaceDown_ = true;
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && spaceDown_) {
        spaceDown_ = false;
        event->accept();
        emit Click();
        return;
    }
    QLabel::keyReleaseEvent(event);
}

void ClickLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    update();
}

void ClickLabel::focusOutEvent(QFocusEvent* event) {
    spaceDown_ = false; // a Space released elsewhere clicks nothing
    QLabel::focusOutEvent(event);
    update();
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The frame is drawn in the label's own text colour, so it shows wherever the text does.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
