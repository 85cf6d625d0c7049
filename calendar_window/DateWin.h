// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window: one Gregorian month as a grid of day cells, Sunday first, each with its
// lunar day, lunar month, festival or solar term; year and month spinners, the zodiac animal of the
// year, the constellation of the selected day, and "今天". It closes as soon as it loses activation.
#pragma once

#include "DateCn.h"

#include <QDialog>
#include <QPalette>
#include <QPointer>
#include <memory>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

QT_BEGIN_NAMESPACE
namespace Ui {
class TFRM_Date;
}
QT_END_NAMESPACE

class QLabel;
class CalendarGrid;
class ClickLabel;
class DayHintPopup;
class TUpDown;

class TFRM_Date : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_Date(QWidget* parent = nullptr);
    ~TFRM_Date() override;

    void CreateDayLabels();
    void ShowMonth(DateCn::TDateTime date);
    void StoreSelectedDate();
    // The date that a day cell or lunar cell of the month on show stands for; none for a hidden cell
    // and for any other widget.
    std::optional<DateCn::TDateTime> cellDate(const QWidget* cell) const;
    // The hint of such a cell as plain text: its day's details (DateWin::DayHint); empty when the
    // widget has no date.
    QString cellHint(const QWidget* cell) const;

    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormDeactivate();
    void FormClose();
    void Label1Click();
    void Label17Click();
    void UpDown1Click();
    void UpDown2Click();
    void CnDayMouseDown(QWidget* Sender);
    void ChnDateMouseDown(QWidget* Sender);
    void CnDayClick(QWidget* Sender);
    void CHnDayClick(QWidget* Sender);
    void StaticText1Click();
    void Label5Click() {}

    // The date whose month is filled each time the window is shown.
    DateCn::TDateTime CurrentDate = 0;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int GridPositions = 37;

    // The steps of ShowMonth.
    void showHeadings(DateCn::TDateTime date);
    void restyleCells();
    std::array<bool, GridPositions + 1> fillDays(DateCn::TDateTime first, int W, int N, int D);
    void fillDay(int k, int d, DateCn::TDateTime cur);

    const QPalette& cellPalette(const QColor& fontColor);
    void setFontColor(QLabel* cell, const QColor& color);
    QColor plainLunarColor() const;

    const std::unique_ptr<Ui::TFRM_Date> ui_;
    DayHintPopup* const dayHint_;
    CalendarGrid* grid_ = nullptr; // the month for the keyboard and screen readers, over the cells
    std::vector<std::pair<QRgb, QPalette>> cellPalettes_;
    DateCn::TDateTime shownMonthStart_ = 0; // first day of the month on show, for the cells' hints
    bool wasActive_ = false;                // deactivation counts only after the window has been active once
};

// The calendar window; null until the first opening and once it is destroyed. The main window
// destroys the previous one and makes a new one at every opening.
extern QPointer<TFRM_Date> FRM_Date;

namespace DateWin {

// The grid positions 1 to 37 (index 0 is unused): position k lies in row (k-1)/7, column (k-1)%7.
// They refer to the cells of the most recently created window.
extern std::array<ClickLabel*, 38> DayLabels;
extern std::array<ClickLabel*, 38> LunarLabels;
extern std::uint16_t SelYear;  // year of the month on show
extern std::uint16_t SelMonth; // month on show, 1 to 12
extern std::uint16_t SelDay;   // selected day; may exceed the length of the month on show

// Length of a month from the engine's month-length table; 0 for a month outside 1 to 12.
int DaysInMonthOf(std::uint16_t year, std::uint16_t month);
// Length of the month that contains date.
int DaysInMonth(DateCn::TDateTime date);
// The date of year, month and the smaller of day and the month's length. Throws
// DateCn::EDateEncodeError when that is no date (a month outside 1 to 12 gives day 0).
DateCn::TDateTime SafeEncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day);

// Today's local date, from the platform's clock.
DateCn::TDateTime Today();

} // namespace DateWin
