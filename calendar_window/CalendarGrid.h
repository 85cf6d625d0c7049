// SPDX-License-Identifier: GPL-3.0-or-later
// The month grid as one control for the keyboard and for screen readers. The day and lunar cells
// stay as they are for the mouse; over them lies the grid, which the mouse passes through. The grid
// takes the focus, moves the selected day with the keys, draws the focus cell, and is what
// assistive technology sees as the month's table (CalendarAccessible.h).
#pragma once

#include "ClickLabel.h"
#include "DateCn.h"

#include <QPointer>
#include <QWidget>

#include <optional>

// A click label that is no control of its own: it never takes the focus, and readers are not
// offered its click. The weekday row (whose click does nothing) reads as plain text; the day and
// lunar cells, for which the grid's table cells stand, are skipped by readers altogether.
class PlainClickLabel : public ClickLabel {
    Q_OBJECT
public:
    explicit PlainClickLabel(QWidget* parent = nullptr);

    bool skippedByReaders() const { return skipped_; }
    void setSkippedByReaders(bool skipped) { skipped_ = skipped; }

private:
    bool skipped_ = false;
};

class CalendarGrid : public QWidget {
    Q_OBJECT
public:
    // Made after the cells (DateWin::DayLabels and LunarLabels), over them.
    explicit CalendarGrid(QWidget* window);

    // What the cells show now: the month that begins on first, its first `filled` days filled, and
    // day `selected` marked (0, or a day past the filled ones, for none).
    void showMonth(DateCn::TDateTime first, int filled, int selected);
    // A click selected this day of the month on show.
    void selectDay(int day);

    DateCn::TDateTime monthStart() const { return first_; }
    int filledDays() const { return filled_; }
    int selectedDay() const { return selected_ <= filled_ ? selected_ : 0; }
    // Grid position (1 to 37) of a day of the month on show, and the day at a position (0 for none).
    int positionOf(int day) const;
    int dayAt(int position) const;
    // Rows the month spans (4 to 6); the table has seven columns.
    int rowCount() const;
    // Where a grid position's pair of cells stands, in window coordinates: the marker's place.
    QRect cellRect(int position) const;

signals:
    // A key asks for this date (a DateCn::TDateTime) to be shown and selected.
    void dateChosen(double date);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void changed(bool monthChanged, bool selectionChanged);
    void announceFocusCell();

    DateCn::TDateTime first_ = 0;
    int filled_ = 0;
    int selected_ = 0;
};

// A focus frame around a widget that draws none of its own (the spinners): two pixels outside it,
// shown while it has the focus. The mouse passes through it.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget* target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();
    QPointer<QWidget> target_;
};

namespace DateWin {

// The first and last dates the calendar shows.
DateCn::TDateTime FirstShownDate();
DateCn::TDateTime LastShownDate();

// The date a key press on the grid moves the selection to from `from`, within the calendar's
// range: Left/Right a day, Up/Down a week, PageUp/PageDown a month, with Ctrl a year (a day past
// the new month's end becomes its last day), Home today. Nothing for any other key.
std::optional<DateCn::TDateTime> KeyTarget(DateCn::TDateTime from, int key, Qt::KeyboardModifiers modifiers,
                                           DateCn::TDateTime today);

// The date as readers say it: "2024年2月10日 星期六".
QString SpokenDate(DateCn::TDateTime date);

// Keyboard and reader access for the calendar window: names for the spinners and their arrows,
// focus frames, the Tab order (the grid first, then the year and month spinners and "今天") and
// the first focus on the grid.
void SetUpAccess(QWidget* window, CalendarGrid* grid);

} // namespace DateWin
