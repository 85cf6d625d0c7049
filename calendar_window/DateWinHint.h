// SPDX-License-Identifier: GPL-3.0-or-later
// The hint of a day cell: a day's full details and its almanac, whatever text its cell shows, and the
// popup that shows it beside the cell.
#pragma once

#include "DateCn.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QTextDocument>
#include <QWidget>

namespace DateWin {

struct DayHintText {
    QString plain; // lines separated by '\n', for a screen reader and for comparing
    QString rich;  // the same details laid out as a table, for the popup
};

// The plain text, for example for 2024-02-10:
//     2024年2月10日 星期六
//     农历甲辰年 正月初一
//     丙寅月 甲辰日
//     春节
//     满日 金匮（黄道） 氐宿
//     冲狗(戊戌) 煞南 纳音覆灯火
//     彭祖百忌 甲不开仓财物耗散 辰不哭泣必主重丧
//     胎神 占门栖 房内东
//     喜神东北 福神正北 财神东北 阳贵西南 阴贵东北
//     日禄 寅命互禄
// Line 1 the date and weekday; line 2 the lunar year's 干支, the lunar month name ("闰" for a leap month)
// and the day name; line 3 the 干支 of the month and the day; then one line for each text the day has, in
// the grid's order of precedence (traditional festival, solar term, civil festival); then the almanac.
// The rich text holds the same items in a table, with the 宿's full name, and the day's god in the
// colour of its road for the tips' background (QToolTip::palette()).
DayHintText DayHint(DateCn::TDateTime date);

// The colour of a 黄道 or a 黑道 god on a tip background: dark shades on a light one, light shades on
// a dark one, each plainly readable on it.
QColor RoadColor(bool huangDao, const QColor& tipBase);

// Where a hint of size hint opens for the day whose cells cover keepClear, on a screen whose free area
// is screen (all in global coordinates): beside keepClear and never over it, right of it, else left,
// else below, else above, whichever first lies wholly on the screen; a hint that fits on no side takes
// the side with the most room and is kept on the screen.
QRect HintPlacement(const QRect& keepClear, const QSize& hint, const QRect& screen);

} // namespace DateWin

// A tip window showing a day's rich hint beside its cells; hidden again when the mouse leaves the cell,
// presses it or its window goes. It lays out and paints the text itself, in the tips' palette and font:
// a label would lay the text out several times per hint.
class DayHintPopup : public QWidget {
    Q_OBJECT
public:
    explicit DayHintPopup(QWidget* owner);

    // Shows the hint for cell (which takes the hover), placed beside keepClear (global coordinates).
    void showBeside(QWidget* cell, const QRect& keepClear, const DateWin::DayHintText& hint);
    // The rich text on show.
    QString text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTextDocument document_;
    QString text_;
    QPointer<QWidget> cell_;
};
