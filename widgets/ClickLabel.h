// SPDX-License-Identifier: GPL-3.0-or-later
// A label (or picture) with the click semantics of a push button: MouseDown on any button, then
// Click when the left button is released over the same label. A press released elsewhere raises no
// Click. It carries an integer tag for handlers shared by several labels.
#pragma once

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    int tag() const { return Tag; }
    void setTag(int tag) { Tag = tag; }

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Tag = 0;
    bool LeftDown = false;
};
