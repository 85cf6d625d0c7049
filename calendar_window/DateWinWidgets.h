// SPDX-License-Identifier: GPL-3.0-or-later
// Small widgets of the calendar window that Qt lacks: a filled rectangle, a bevel rule, and an
// up-down arrow pair.
#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

class QToolButton;

// A rectangle with a one-pixel outline and a solid fill.
class TShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor)
    Q_PROPERTY(QColor penColor READ penColor WRITE setPenColor)
public:
    explicit TShape(QWidget* parent = nullptr);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& c);
    QColor penColor() const { return pen_; }
    void setPenColor(const QColor& c);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
};

// A lowered rule drawn along the bottom edge of its rectangle.
class TBevel : public QWidget {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Up-down arrows without an edit box: a position within a range, moved one step per arrow press
// (auto-repeating while held) and never wrapping. Only a step by the user raises Click; setting the
// position from code is silent.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int position READ position WRITE setPosition)
public:
    enum TUDBtnType { btNext, btPrev }; // up arrow, down arrow
    Q_ENUM(TUDBtnType)

    explicit TUpDown(QWidget* parent = nullptr);

    int minimum() const { return min_; }
    void setMinimum(int v);
    int maximum() const { return max_; }
    void setMaximum(int v);
    int position() const { return position_; }
    void setPosition(int v);

    // One step as if an arrow were pressed: moves the position within the range and raises Click
    // when it moved.
    void step(TUDBtnType button);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void Click(TUpDown::TUDBtnType button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};
