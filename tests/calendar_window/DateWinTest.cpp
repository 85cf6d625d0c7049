// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window, driven offscreen through the window system's own mouse path.
#include "DateWin.h"
#include "Application.h"
#include "ClickLabel.h"
#include "DateWinHint.h"
#include "DateWinWidgets.h"
#include "DayTexts.h"
#include "Fakes.h"
#include "Widgets.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

using DateCn::EncodeDate;
using DateCn::TDateTime;
using namespace DateWin;

namespace {

struct Ymd {
    int y, m, d;
};

TDateTime Date(Ymd v) {
    return EncodeDate(v.y, v.m, v.d);
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QColor FontColor(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

// Grid position of day d in the month of (y, m): the first day stands at its weekday number.
int PositionOf(int y, int m, int d) {
    return DateCn::DayOfWeek(EncodeDate(y, m, 1)) + d - 1;
}

// Mouse events through the window, so that hit-testing and the mouse grab work as for a user.
QPoint CentreIn(QWidget* window, QWidget* w) {
    return w->mapTo(window, w->rect().center());
}
void Press(QWidget* window, QWidget* w) {
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, CentreIn(window, w));
}
void Release(QWidget* window, QWidget* w) {
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, CentreIn(window, w));
}
void Click(QWidget* window, QWidget* w) {
    Press(window, w);
    Release(window, w);
}

class CalendarWindow : public ::testing::Test {
protected:
    void TearDown() override {
        delete Win.data();
        today_.reset();
    }

    // Opens a calendar as the main window does, with "today" fixed.
    TFRM_Date* Open(Ymd today) {
        SetToday(today);
        Win = new TFRM_Date();
        Platform::Own(Win);
        Win->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Win));
        return Win;
    }
    // The window's widget with this object name.
    template <class T = QWidget> T* W(const char* name) {
        return Child<T>(Win.data(), QString::fromLatin1(name));
    }
    void SetToday(Ymd today) {
        today_.emplace(std::make_shared<FakeClock>(QDate(today.y, today.m, today.d)));
    }
    std::optional<Platform::ScopedService<Platform::Clock>> today_;

    // The marker stands on the grid position whose day cell is 1 left of and 1 above its corner.
    QPoint MarkerSpotOf(int k) { return DayLabels[k]->pos() + QPoint(-1, 1); }

    QPointer<TFRM_Date> Win;
};

// ---- Module functions -----------------------------------------------------------------------------

TEST(DateWinFunctions, MonthLengthsAndSafeEncoding) {
    EXPECT_EQ(DaysInMonthOf(2024, 2), 29);
    EXPECT_EQ(DaysInMonthOf(1900, 2), 28);
    EXPECT_EQ(DaysInMonthOf(2000, 2), 29);
    EXPECT_EQ(DaysInMonthOf(2023, 0), 0);
    EXPECT_EQ(DaysInMonthOf(2023, 13), 0);
    EXPECT_EQ(DaysInMonth(EncodeDate(2023, 4, 30)), 30);
    EXPECT_EQ(SafeEncodeDate(2024, 2, 31), EncodeDate(2024, 2, 29));
    EXPECT_EQ(SafeEncodeDate(2023, 11, 31), EncodeDate(2023, 11, 30));
    EXPECT_THROW(SafeEncodeDate(2023, 13, 5), DateCn::EDateEncodeError);
}

// The rule of a lunar cell, without a window: every text of the day in order of precedence, each with
// its kind (F traditional festival, T solar term, C civil festival, M lunar month, D lunar day).
struct DayTextRow {
    Ymd date;
    const char* texts;
};

class DayTextRule : public ::testing::TestWithParam<DayTextRow> {};

TEST_P(DayTextRule, ListsEveryTextInOrderOfPrecedence) {
    std::string listed;
    for (const DayText& t : DayTexts(Date(GetParam().date)))
        listed += std::string(listed.empty() ? "" : " ") + "FTCMD"[static_cast<int>(t.kind)] + t.text;
    EXPECT_EQ(listed, GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(Dates, DayTextRule,
                         ::testing::Values(DayTextRow{{2000, 2, 4}, "F除夕 T立春 D廿九"},
                                           DayTextRow{{2001, 10, 1}, "F中秋节 C国庆节 D十五"},
                                           DayTextRow{{2001, 11, 22}, "T小雪 C感恩节 D初八"},
                                           DayTextRow{{2000, 5, 4}, "C青年节 M四月"},
                                           DayTextRow{{2020, 5, 23}, "M闰四"},
                                           DayTextRow{{2024, 2, 10}, "F春节 M正月"},
                                           DayTextRow{{2024, 2, 11}, "D初二"}),
                         [](const auto& info) {
                             const Ymd d = info.param.date;
                             return "d" + std::to_string(d.y * 10000 + d.m * 100 + d.d);
                         });

// ---- The window as defined -----------------------------------------------------------------------

struct Look {
    const char* widget;
    int pixelSize;
    QRgb color;
};

class FormLook : public CalendarWindow, public ::testing::WithParamInterface<Look> {};

TEST_P(FormLook, FontsAndColours) {
    const Look p = GetParam();
    Open({2024, 2, 14});
    auto* w = Win->findChild<QLabel*>(p.widget);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->font().pixelSize(), p.pixelSize);
    EXPECT_EQ(FontColor(w), QColor(p.color));
}

INSTANTIATE_TEST_SUITE_P(Labels, FormLook,
                         ::testing::Values(Look{"Label1", 29, 0x0000FF}, Look{"Label17", 32, 0x8080C0},
                                           Look{"Label20", 64, 0xFFE8DD}, Look{"Label16", 120, 0xEBEBEB},
                                           Look{"Label21", 35, 0x7474FF}, Look{"Label22", 19, 0xD444D4},
                                           Look{"Label2", 12, 0xFF0000}, Look{"Label15", 12, 0xFF0000},
                                           Look{"Label4", 12, 0x000000}, Look{"day1", 14, 0x000000},
                                           Look{"Cnday", 12, 0x004000}));

TEST_F(CalendarWindow, FrameHitsAndHints) {
    Open({2024, 2, 14});
    EXPECT_EQ(Win->windowTitle(), Text("Tavrel日历"));
    EXPECT_EQ(Win->size(), QSize(331, 285));
    const Qt::WindowFlags flags = Win->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(W<TShape>("Shape1")->geometry(), Win->rect());
    EXPECT_FALSE(W<QLabel>("day1")->isVisible());
    EXPECT_FALSE(W<QLabel>("Cnday")->isVisible());
    EXPECT_EQ(W<ClickLabel>("Label1")->toolTip(), Text("单击改变年份"));
    EXPECT_EQ(W<ClickLabel>("Label17")->toolTip(), Text("单击改变月份"));
    for (QWidget* w :
         {static_cast<QWidget*>(W<ClickLabel>("Label1")), static_cast<QWidget*>(W<ClickLabel>("Label17")),
          static_cast<QWidget*>(W<ClickLabel>("StaticText1"))})
        EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor) << w->objectName().toStdString();
    // The cells lie over the marker and the background figures, so the marked day takes the mouse.
    const int k = PositionOf(2024, 2, 14);
    EXPECT_EQ(Win->childAt(DayLabels[k]->geometry().center()), DayLabels[k]);
    EXPECT_EQ(Win->childAt(LunarLabels[k]->geometry().center()), LunarLabels[k]);
}

// The month figure keeps its box of the window definition whatever the month and the font, so the
// upper weekday row under it takes its own clicks.
class MonthFigure : public CalendarWindow, public ::testing::WithParamInterface<int> {};

TEST_P(MonthFigure, StaysInItsBox) {
    Open({2024, GetParam(), 14});
    EXPECT_EQ(W<ClickLabel>("Label17")->geometry(), QRect(10, 3, 36, 37));
    EXPECT_EQ(W<ClickLabel>("Label17")->alignment(), Qt::AlignCenter);
    const QPoint sunday(30, 45); // on "星期日", just under the figure
    QTest::mouseClick(Win->windowHandle(), Qt::LeftButton, {}, sunday);
    EXPECT_TRUE(W<TUpDown>("UpDown1")->isVisible());
    EXPECT_TRUE(W<TUpDown>("UpDown2")->isVisible());
    QTest::mouseClick(Win->windowHandle(), Qt::LeftButton, {}, QPoint(28, 21));
    EXPECT_FALSE(W<TUpDown>("UpDown1")->isVisible()); // the figure itself still answers
    EXPECT_TRUE(W<TUpDown>("UpDown2")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Months, MonthFigure, ::testing::Values(1, 2, 10, 12));

// The selection marker is drawn whole at every scale: its outline on all four edges.
class MarkerScale : public ::testing::TestWithParam<double> {};

TEST_P(MarkerScale, KeepsAllFourEdges) {
    const double scale = GetParam();
    TShape shape;
    shape.setBrushColor(QColor(0x7E, 0xE2, 0x81));
    shape.resize(38, 30);
    QImage image((QSizeF(shape.size()) * scale).toSize(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    shape.render(&image);
    const int w = image.width(), h = image.height();
    for (QPoint p : {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::black)) << "at " << p.x() << "," << p.y();
    EXPECT_EQ(image.pixelColor(w / 2, h / 2), shape.brushColor());
}

INSTANTIATE_TEST_SUITE_P(Scales, MarkerScale, ::testing::Values(1.0, 1.25, 1.5, 2.0),
                         [](const auto& info) { return "x" + std::to_string(int(info.param * 100)); });

TEST_F(CalendarWindow, HintsShowInTheOrdinaryTipFont) {
    // The labels' own large fonts and colours must not reach the tips that pop up over them.
    Open({2024, 2, 14});
    for (QLabel* label :
         {static_cast<QLabel*>(W<ClickLabel>("Label1")), static_cast<QLabel*>(W<ClickLabel>("Label17"))}) {
        QToolTip::showText(label->mapToGlobal(QPoint(4, 4)), label->toolTip(), label);
        QLabel* tip = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible())
                tip = static_cast<QLabel*>(w);
        ASSERT_TRUE(tip) << label->objectName().toStdString();
        EXPECT_EQ(tip->text(), label->toolTip());
        EXPECT_LT(QFontInfo(tip->font()).pixelSize(), 20) << label->objectName().toStdString();
        QToolTip::hideText();
    }
}

// ---- Layout of a month ----------------------------------------------------------------------------

struct Layout {
    Ymd month;
    int first, last; // filled positions
};

class MonthLayout : public CalendarWindow, public ::testing::WithParamInterface<Layout> {};

TEST_P(MonthLayout, FillsItsPositionsOnly) {
    const Layout p = GetParam();
    Open(p.month);
    for (int k = 1; k <= 37; ++k) {
        SCOPED_TRACE(k);
        const int r = (k - 1) / 7, c = (k - 1) % 7;
        EXPECT_EQ(DayLabels[k]->geometry(), QRect(14 + 42 * c, 56 + 32 * r, 36, 16));
        EXPECT_EQ(LunarLabels[k]->geometry(), QRect(13 + 42 * c, 73 + 32 * r, 36, 12));
        const bool filled = k >= p.first && k <= p.last;
        EXPECT_EQ(DayLabels[k]->isVisible(), filled);
        EXPECT_EQ(LunarLabels[k]->isVisible(), filled);
        if (filled) {
            const int d = k - p.first + 1;
            EXPECT_EQ(DayLabels[k]->text(), QString::number(d));
            EXPECT_EQ(DayLabels[k]->tag(), d);
            EXPECT_EQ(LunarLabels[k]->tag(), d);
            EXPECT_EQ(FontColor(DayLabels[k]), QColor(Qt::black)); // weekends are not coloured
            EXPECT_EQ(DayLabels[k]->font().pixelSize(), 15);
            EXPECT_FALSE(LunarLabels[k]->text().isEmpty());
        }
    }
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(p.first + p.month.d - 1));
}

INSTANTIATE_TEST_SUITE_P(Months, MonthLayout,
                         ::testing::Values(Layout{{2008, 3, 31}, 7, 37}, // Saturday start, 31 days
                                           Layout{{2009, 2, 1}, 1, 28},  // exactly four rows
                                           Layout{{2024, 2, 14}, 5, 33}));

// ---- What a lunar cell shows ----------------------------------------------------------------------

struct CellText {
    Ymd date;
    const char* text;
    QRgb color;
};

class LunarCell : public CalendarWindow, public ::testing::WithParamInterface<CellText> {};

TEST_P(LunarCell, ShowsTheRuleOfHighestPrecedence) {
    const CellText p = GetParam();
    Open({2024, 2, 14});
    Win->ShowMonth(Date(p.date));
    const int k = PositionOf(p.date.y, p.date.m, p.date.d);
    ASSERT_TRUE(LunarLabels[k]->isVisible());
    EXPECT_EQ(DayLabels[k]->text(), QString::number(p.date.d));
    EXPECT_EQ(LunarLabels[k]->text(), Text(p.text));
    EXPECT_EQ(FontColor(LunarLabels[k]), QColor(p.color));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, LunarCell,
    ::testing::Values(CellText{{2024, 2, 4}, "立春", 0x5353FF}, CellText{{2024, 2, 9}, "除夕", 0xD06800},
                      CellText{{2024, 2, 10}, "春节", 0xD06800}, // not 正月 in red
                      CellText{{2024, 2, 14}, "情人节", 0xD06800}, CellText{{2024, 2, 11}, "初二", 0x004000},
                      CellText{{2024, 3, 10}, "二月", 0xFF0000}, CellText{{2020, 5, 23}, "闰四", 0xFF0000},
                      CellText{{2020, 5, 22}, "三十", 0x004000},
                      // Two rules on one day: the higher one wins.
                      CellText{{2000, 5, 4}, "青年节", 0xD06800}, CellText{{2001, 6, 21}, "夏至", 0x5353FF},
                      CellText{{2001, 11, 22}, "小雪", 0x5353FF}, CellText{{2000, 2, 4}, "除夕", 0xD06800},
                      CellText{{2001, 10, 1}, "中秋节", 0xD06800}));

struct Heading {
    Ymd date;
    const char* zodiac;
    const char* constellation;
};

class Headings : public CalendarWindow, public ::testing::WithParamInterface<Heading> {};

TEST_P(Headings, FollowTheDateGivenNotTheMonth) {
    const Heading p = GetParam();
    Open({2024, 2, 14});
    Win->ShowMonth(Date(p.date));
    EXPECT_EQ(W<QLabel>("Label21")->text(), Text(p.zodiac));
    EXPECT_EQ(W<QLabel>("Label22")->text(), Text(p.constellation));
    EXPECT_EQ(W<ClickLabel>("Label1")->text(), QString::number(p.date.y));
    EXPECT_EQ(W<QLabel>("Label20")->text(), QString::number(p.date.y));
    EXPECT_EQ(W<ClickLabel>("Label17")->text(), QString::number(p.date.m));
    EXPECT_EQ(W<QLabel>("Label16")->text(), QString::number(p.date.m));
}

INSTANTIATE_TEST_SUITE_P(Dates, Headings,
                         ::testing::Values(Heading{{2024, 2, 9}, "卯兔", "水瓶座"},
                                           Heading{{2024, 2, 10}, "辰龙", "水瓶座"},
                                           Heading{{2024, 2, 19}, "辰龙", "双鱼座"}));

// ---- Hints of the cells ---------------------------------------------------------------------------

struct Hint {
    Ymd date;
    const char* text; // the lines before the almanac's six
};

class CellHints : public CalendarWindow, public ::testing::WithParamInterface<Hint> {};

TEST_P(CellHints, GiveTheDaysFullDetails) {
    const Hint p = GetParam();
    Open({2024, 2, 14});
    Win->ShowMonth(Date(p.date));
    const int k = PositionOf(p.date.y, p.date.m, p.date.d);
    const QString hint = Win->cellHint(DayLabels[k]);
    EXPECT_EQ(hint.section(QLatin1Char('\n'), 0, int(Text(p.text).count(QLatin1Char('\n')))), Text(p.text));
    EXPECT_EQ(hint.count(QLatin1Char('\n')), Text(p.text).count(QLatin1Char('\n')) + 6);
    EXPECT_EQ(Win->cellHint(LunarLabels[k]), hint);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CellHints,
    ::testing::Values(
        Hint{{2024, 2, 10}, "2024年2月10日 星期六\n农历甲辰年 正月初一\n丙寅月 甲辰日\n春节"},
        Hint{{2024, 2, 4}, "2024年2月4日 星期日\n农历癸卯年 腊月廿五\n丙寅月 戊戌日\n立春"},
        Hint{{2020, 5, 23}, "2020年5月23日 星期六\n农历庚子年 闰四初一\n辛巳月 丙寅日"},
        Hint{{2024, 2, 11}, "2024年2月11日 星期日\n农历甲辰年 正月初二\n丙寅月 乙巳日"},
        // Every text of the day, in the grid's order of precedence.
        Hint{{2000, 2, 4}, "2000年2月4日 星期五\n农历己卯年 腊月廿九\n戊寅月 壬辰日\n除夕\n立春"},
        Hint{{2001, 10, 1}, "2001年10月1日 星期一\n农历辛巳年 八月十五\n丁酉月 丁酉日\n中秋节\n国庆节"},
        Hint{{2001, 11, 22}, "2001年11月22日 星期四\n农历辛巳年 十月初八\n己亥月 己丑日\n小雪\n感恩节"}));

TEST(DayHintText, EndsWithTheDaysAlmanac) {
    const DayHintText hint = DayHint(EncodeDate(2024, 2, 10));
    EXPECT_EQ(hint.plain, Text("2024年2月10日 星期六\n农历甲辰年 正月初一\n丙寅月 甲辰日\n春节\n"
                               "满日 金匮（黄道） 氐宿\n冲狗(戊戌) 煞南 纳音覆灯火\n"
                               "彭祖百忌 甲不开仓财物耗散 辰不哭泣必主重丧\n胎神 占门栖 房内东\n"
                               "喜神东北 福神正北 财神东北 阳贵西南 阴贵东北\n日禄 寅命互禄"));
    // The rich text holds every item of the plain one, and the 宿's full name.
    QTextDocument rich;
    rich.setHtml(hint.rich);
    const QString shown = rich.toPlainText();
    for (const char* item :
         {"2024年2月10日 星期六", "春节", "满日", "金匮（黄道）", "氐土貉", "冲狗(戊戌) 煞南", "覆灯火",
          "辰不哭泣必主重丧", "占门栖 房内东", "阴贵", "寅命互禄"})
        EXPECT_TRUE(shown.contains(Text(item))) << item;
}

// The colour of the day's god stays plainly readable (contrast 4.5 or more) on light and dark tips.
class RoadColors : public ::testing::TestWithParam<QRgb> {};

TEST_P(RoadColors, ReadOnTheTipBackground) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const QColor base(GetParam());
    for (bool huangDao : {true, false}) {
        const double a = luminance(RoadColor(huangDao, base)), b = luminance(base);
        EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 4.5) << huangDao;
    }
    EXPECT_NE(RoadColor(true, base), RoadColor(false, base));
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, RoadColors,
                         ::testing::Values(0xFFFFFF, 0xFFFFDC, 0xEFF0F1, 0x31363B, 0x2B2B2B, 0x000000),
                         [](const auto& info) { return QColor(info.param).name().mid(1).toStdString(); });

// The hint opens beside the day's cells, never over them, and wholly on the screen while it fits.
struct Placement {
    const char* name;
    QRect cells;
    QSize hint;
    QRect expected;
};

class HintPlacements : public ::testing::TestWithParam<Placement> {};

TEST_P(HintPlacements, BesideTheCellsAndOnTheScreen) {
    const Placement p = GetParam();
    const QRect screen(0, 0, 512, 384); // 1024 x 768 at 2x
    const QRect placed = HintPlacement(p.cells, p.hint, screen);
    EXPECT_EQ(placed, p.expected);
    EXPECT_EQ(placed.size(), p.hint);
    if (p.hint.width() <= screen.width() && p.hint.height() <= screen.height()) {
        EXPECT_TRUE(screen.contains(placed));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HintPlacements,
    ::testing::Values(Placement{"Right", {100, 100, 36, 29}, {200, 280}, {140, 100, 200, 280}},
                      Placement{"RightSlidUp", {100, 300, 36, 29}, {200, 280}, {140, 104, 200, 280}},
                      Placement{"LeftAtTheRightEdge", {390, 100, 36, 29}, {200, 280}, {186, 100, 200, 280}},
                      Placement{"BelowInTheMiddle", {230, 20, 36, 29}, {250, 280}, {230, 53, 250, 280}},
                      Placement{"AboveInTheMiddle", {230, 330, 36, 29}, {250, 280}, {230, 46, 250, 280}},
                      Placement{
                          "TooBigTakesTheRoomiestSide", {230, 170, 36, 29}, {260, 300}, {252, 84, 260, 300}},
                      Placement{"LargerThanTheScreen", {10, 10, 36, 29}, {600, 400}, {0, 0, 600, 400}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalendarWindow, HintsFollowTheMonthAndHiddenCellsHaveNone) {
    Open({2024, 2, 14}); // February 2024 fills positions 5 to 33
    EXPECT_TRUE(Win->cellHint(DayLabels[4]).isEmpty());
    EXPECT_TRUE(Win->cellHint(LunarLabels[34]).isEmpty());
    EXPECT_TRUE(Win->cellHint(W<QLabel>("Label1")).isEmpty());
    EXPECT_TRUE(Win->cellHint(DayLabels[5]).startsWith(Text("2024年2月1日 星期四\n")));

    Click(Win, W<TUpDown>("UpDown2")->upButton()); // March 2024 fills positions 6 to 36
    EXPECT_TRUE(Win->cellHint(DayLabels[5]).isEmpty());
    EXPECT_TRUE(Win->cellHint(LunarLabels[6]).startsWith(Text("2024年3月1日 星期五\n")));
    EXPECT_TRUE(Win->cellHint(DayLabels[36]).startsWith(Text("2024年3月31日 星期日\n")));
}

TEST_F(CalendarWindow, HintOpensBesideTheDayAndClosesWhenTheMouseLeaves) {
    Open({2024, 12, 25});
    // The window system's hint request, on a day in the middle of the grid.
    const int k = PositionOf(2024, 12, 25);
    QWidget* cell = DayLabels[k];
    QHelpEvent request(QEvent::ToolTip, cell->rect().center(), cell->mapToGlobal(cell->rect().center()));
    QApplication::sendEvent(cell, &request);
    auto* hint = W<DayHintPopup>("DayHint");
    ASSERT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), DayHint(EncodeDate(2024, 12, 25)).rich);
    const QRect day = DayLabels[k]->geometry().united(LunarLabels[k]->geometry());
    EXPECT_FALSE(hint->frameGeometry().intersects(QRect(Win->mapToGlobal(day.topLeft()), day.size())));
    EXPECT_TRUE(cell->screen()->availableGeometry().contains(hint->frameGeometry()));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(cell, &leave);
    EXPECT_FALSE(hint->isVisible());

    // Nor does it outlive its month while the mouse stays (the cell of the 25th is shown again).
    QApplication::sendEvent(cell, &request);
    ASSERT_TRUE(hint->isVisible());
    Win->ShowMonth(EncodeDate(2025, 12, 14));
    EXPECT_TRUE(cell->isVisible());
    EXPECT_FALSE(hint->isVisible());
}

// ---- Navigation and selection ---------------------------------------------------------------------

TEST_F(CalendarWindow, SelectedDayIsCarriedThroughShorterMonths) {
    Open({2024, 1, 31});
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(PositionOf(2024, 1, 31)));

    Click(Win, W<TUpDown>("UpDown2")->upButton());
    EXPECT_EQ(W<ClickLabel>("Label17")->text(), "2");
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(PositionOf(2024, 2, 29)));
    EXPECT_EQ(W<QLabel>("Label22")->text(), Text("双鱼座"));
    EXPECT_EQ(SelDay, 31);

    Click(Win, W<TUpDown>("UpDown2")->upButton());
    EXPECT_EQ(W<ClickLabel>("Label17")->text(), "3");
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(PositionOf(2024, 3, 31)));
    EXPECT_EQ(W<QLabel>("Label22")->text(), Text("白羊座"));
    EXPECT_EQ(Win->CurrentDate, EncodeDate(2024, 1, 31)); // navigation leaves it alone
}

TEST_F(CalendarWindow, ClickOnEitherCellSelectsItsDay) {
    Open({2024, 2, 14});
    const QString zodiac = W<QLabel>("Label21")->text(), constellation = W<QLabel>("Label22")->text();
    const int k = PositionOf(2024, 2, 20);

    Click(Win, DayLabels[k]);
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(k));
    EXPECT_EQ(SelDay, 20);
    EXPECT_EQ(Win->CurrentDate, EncodeDate(2024, 2, 20));

    Click(Win, LunarLabels[k + 1]);
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(k + 1));
    EXPECT_EQ(SelDay, 21);
    EXPECT_EQ(Win->CurrentDate, EncodeDate(2024, 2, 21));
    // The grid is not refilled on a click.
    EXPECT_EQ(W<QLabel>("Label21")->text(), zodiac);
    EXPECT_EQ(W<QLabel>("Label22")->text(), constellation);
}

TEST_F(CalendarWindow, PressReleasedElsewhereMovesTheMarkerOnly) {
    Open({2024, 2, 14});
    const int k = PositionOf(2024, 2, 5);
    Press(Win, LunarLabels[k]);
    Release(Win, DayLabels[k + 2]);
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(k));
    EXPECT_EQ(SelDay, 14);
    EXPECT_EQ(Win->CurrentDate, EncodeDate(2024, 2, 14));

    Click(Win, W<TUpDown>("UpDown1")->upButton()); // the next fill marks SelDay again
    EXPECT_EQ(W<ClickLabel>("Label1")->text(), "2025");
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(PositionOf(2025, 2, 14)));
}

TEST_F(CalendarWindow, TodayReturnsFromAnywhere) {
    Open({2024, 2, 14});
    Click(Win, W<ClickLabel>("Label1")); // only the year spinner stays
    EXPECT_TRUE(W<TUpDown>("UpDown1")->isVisible());
    EXPECT_FALSE(W<TUpDown>("UpDown2")->isVisible());
    for (int i = 0; i < 3; ++i)
        Click(Win, W<TUpDown>("UpDown1")->downButton());
    Click(Win, W<ClickLabel>("Label17")); // only the month spinner stays
    EXPECT_FALSE(W<TUpDown>("UpDown1")->isVisible());
    EXPECT_TRUE(W<TUpDown>("UpDown2")->isVisible());
    Click(Win, W<TUpDown>("UpDown2")->downButton());
    Click(Win, DayLabels[PositionOf(2021, 1, 3)]);
    EXPECT_EQ(Win->CurrentDate, EncodeDate(2021, 1, 3));

    Click(Win, W<ClickLabel>("StaticText1"));
    EXPECT_EQ(Win->CurrentDate, EncodeDate(2024, 2, 14));
    EXPECT_EQ(W<TUpDown>("UpDown1")->position(), 2024);
    EXPECT_EQ(W<TUpDown>("UpDown2")->position(), 2);
    EXPECT_EQ(W<ClickLabel>("Label1")->text(), "2024");
    EXPECT_EQ(W<ClickLabel>("Label17")->text(), "2");
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(PositionOf(2024, 2, 14)));
    EXPECT_EQ(DayLabels[PositionOf(2024, 2, 29)]->text(), "29");
    EXPECT_FALSE(W<TUpDown>("UpDown1")->isVisible()); // "今天" leaves the spinners' visibility alone
}

struct Limit {
    Ymd today;
    bool yearSpinner, up;
    int stays;
};

class SpinnerLimit : public CalendarWindow, public ::testing::WithParamInterface<Limit> {};

TEST_P(SpinnerLimit, StopsWithoutWrapping) {
    const Limit p = GetParam();
    Open(p.today);
    TUpDown* spinner = p.yearSpinner ? W<TUpDown>("UpDown1") : W<TUpDown>("UpDown2");
    QSignalSpy clicks(spinner, &TUpDown::Click);
    Click(Win, p.up ? spinner->upButton() : spinner->downButton());
    EXPECT_EQ(spinner->position(), p.stays);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(W<ClickLabel>("Label1")->text(), QString::number(p.today.y));
    EXPECT_EQ(W<ClickLabel>("Label17")->text(), QString::number(p.today.m));
}

INSTANTIATE_TEST_SUITE_P(Ends, SpinnerLimit,
                         ::testing::Values(Limit{{2050, 12, 31}, true, true, 2050},
                                           Limit{{1901, 1, 1}, true, false, 1901},
                                           Limit{{2050, 12, 31}, false, true, 12},
                                           Limit{{1901, 1, 1}, false, false, 1}));

TEST_F(CalendarWindow, SpinnerStepsRaiseClicksButCodeDoesNot) {
    Open({2024, 2, 14});
    QSignalSpy clicks(W<TUpDown>("UpDown1"), &TUpDown::Click);
    W<TUpDown>("UpDown1")->setPosition(2030);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(W<ClickLabel>("Label1")->text(), "2024");
    Click(Win, W<TUpDown>("UpDown1")->upButton());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(W<ClickLabel>("Label1")->text(), "2031");
}

// ---- Closing and lifetime -------------------------------------------------------------------------

TEST_F(CalendarWindow, ClosesWhenAnotherWindowIsActivated) {
    QWidget other;
    other.resize(100, 100);
    other.show();
    Open({2024, 2, 14});
    Win->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Win));
    ASSERT_TRUE(Platform::Owns(Win));

    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(Win->isVisible());
    EXPECT_EQ(Win->result(), QDialog::Rejected);
    EXPECT_FALSE(Platform::Owns(Win)); // hidden, not destroyed, and no longer the application's
}

TEST_F(CalendarWindow, ModalDisplayEndsOnDeactivation) {
    SetToday({2024, 2, 14});
    Win = new TFRM_Date();
    Platform::Own(Win);
    QTimer::singleShot(0, Win, [this] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(Win));
        QApplication::setActiveWindow(nullptr); // the user turns to another program
    });
    EXPECT_EQ(Win->exec(), QDialog::Rejected);
    EXPECT_FALSE(Platform::Owns(Win));
}

TEST_F(CalendarWindow, SecondOpeningDestroysTheFirst) {
    // The main window's opening: destroy the previous calendar, make a new one, show it.
    auto openCalendar = [] {
        delete FRM_Date;
        FRM_Date = new TFRM_Date();
        Platform::Own(FRM_Date);
        FRM_Date->show();
    };
    SetToday({2024, 2, 14});
    openCalendar();
    QPointer<TFRM_Date> first = FRM_Date;
    Click(first, DayLabels[PositionOf(2024, 2, 3)]);
    first->close();
    EXPECT_FALSE(Platform::Owns(first));

    openCalendar();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(FRM_Date->CurrentDate, EncodeDate(2024, 2, 14)); // set up anew
    EXPECT_EQ(DayLabels[1]->window(), FRM_Date);
    Win = FRM_Date; // torn down by the fixture
}

TEST_F(CalendarWindow, DestroyedCalendarClearsTheGlobalReference) {
    // A calendar still owned at exit is destroyed by the application; the main window's later
    // delete of FRM_Date must then find null.
    Open({2024, 2, 14});
    FRM_Date = Win;
    Platform::DestroyOwnedWindows();
    EXPECT_TRUE(Win.isNull());
    EXPECT_EQ(FRM_Date, nullptr);
    EXPECT_EQ(DayLabels[1], nullptr);
}

} // namespace
