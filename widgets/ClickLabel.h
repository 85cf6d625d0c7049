// SPDX-License-Identifier: GPL-3.0-or-later
// A label (or picture) with the click semantics of a push button: MouseDown on any button, then
// Click when the left button is released over the same label. A press released elsewhere raises no
// Click. It carries an integer tag for handlers shared by several labels.
//
// It is a control for the keyboard and assistive technology too: Tab reaches it, Return, Enter and
// Space raise Click, a dotted frame shows the focus, and its accessible interface (link role unless
// told otherwise) offers a press action that raises Click.
#pragma once

#include <QAccessible>
#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr, Qt::WindowFlags f = {});
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr, Qt::WindowFlags f = {});

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // What assistive technology is told it is: QAccessible::Link (the default) or Button.
    QAccessible::Role accessibleRole() const { return role_; }
    void setAccessibleRole(QAccessible::Role role) { role_ = role; }

    // Raises Click as a press of the control would (keyboard or assistive technology).
    void press();

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int tag_ = 0;
    bool leftDown_ = false;
    bool spaceDown_ = false;
    QAccessible::Role role_ = QAccessible::Link;
};
