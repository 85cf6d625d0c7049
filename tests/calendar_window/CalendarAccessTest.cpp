// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window without a mouse: keys on the grid, the month as an accessible table, the
// spinners as spin boxes, the events readers hear, focus frames, and texts under a dark palette.
#include "CalendarAccessible.h"
#include "CalendarGrid.h"
#include "DateWin.h"
#include "DateWinWidgets.h"
#include "Fakes.h"
#include "Widgets.h"
#include "WindowOwner.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// Events as the calendar sends them to the screen reader's bridge, for one object.
struct Heard {
    QAccessible::Event type;
    int child;
    QVariant value;
};
std::vector<Heard>* heard = nullptr;
QObject* heardFrom = nullptr;

void Listen(QAccessibleEvent* event) {
    if (heard && event->object() == heardFrom) {
        QVariant value;
        if (event->type() == QAccessible::ValueChanged)
            value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
        heard->push_back({event->type(), event->child(), value});
    }
}

class CalendarAccess : public ::testing::Test {
protected:
    void SetUp() override {
        heard = &events;
        SetAccessEventListener(Listen);
    }
    void TearDown() override {
        delete Win.data();
        SetAccessEventListener(nullptr);
        heard = nullptr;
        heardFrom = nullptr;
        clock_.reset();
    }

    TFRM_Date* Open(Ymd today) {
        clock_.emplace(std::make_shared<FakeClock>(QDate(today.y, today.m, today.d)));
        Win = new TFRM_Date();
        Platform::Own(Win);
        Win->show();
        Win->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Win));
        return Win;
    }
    template <class T = QWidget> T* W(const char* name) {
        return Child<T>(Win.data(), QString::fromLatin1(name));
    }
    CalendarGrid* Grid() { return W<CalendarGrid>("CalendarGrid"); }
    QAccessibleTableInterface* Table() {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Grid());
        return iface ? iface->tableInterface() : nullptr;
    }
    void Keys(const std::vector<QKeyCombination>& keys) {
        for (QKeyCombination k : keys)
            QTest::keyClick(Grid(), k.key(), k.keyboardModifiers());
    }
    QPoint MarkerSpotOf(int k) { return DayLabels[k]->pos() + QPoint(-1, 1); }
    int PositionOf(Ymd v) { return DateCn::DayOfWeek(EncodeDate(v.y, v.m, 1)) + v.d - 1; }

    QPointer<TFRM_Date> Win;
    std::vector<Heard> events; // what the object in heardFrom sent
    std::optional<Platform::ScopedService<Platform::Clock>> clock_;
};

// ---- Where a key takes the selection --------------------------------------------------------------

struct Step {
    const char* name;
    Ymd from;
    QKeyCombination key;
    std::optional<Ymd> to; // none: the key is not the grid's
};

class KeySteps : public ::testing::TestWithParam<Step> {};

TEST_P(KeySteps, MoveWithinTheCalendarsRange) {
    const Step& p = GetParam();
    const auto got = KeyTarget(Date(p.from), p.key.key(), p.key.keyboardModifiers(), Date({2024, 2, 14}));
    ASSERT_EQ(got.has_value(), p.to.has_value());
    if (p.to) {
        EXPECT_EQ(*got, Date(*p.to));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeySteps,
    ::testing::Values(
        Step{"LeftIntoLastMonth", {2024, 3, 1}, Qt::Key_Left, Ymd{2024, 2, 29}},
        Step{"RightIntoNextYear", {2023, 12, 31}, Qt::Key_Right, Ymd{2024, 1, 1}},
        Step{"UpAWeek", {2024, 3, 5}, Qt::Key_Up, Ymd{2024, 2, 27}},
        Step{"DownAWeek", {2024, 2, 27}, Qt::Key_Down, Ymd{2024, 3, 5}},
        Step{"PageDownShortensTheDay", {2024, 1, 31}, Qt::Key_PageDown, Ymd{2024, 2, 29}},
        Step{"PageUpIntoLastYear", {2024, 1, 15}, Qt::Key_PageUp, Ymd{2023, 12, 15}},
        Step{"CtrlPageUpFromLeapDay", {2024, 2, 29}, Qt::ControlModifier | Qt::Key_PageUp, Ymd{2023, 2, 28}},
        Step{"CtrlPageDown", {2024, 2, 10}, Qt::ControlModifier | Qt::Key_PageDown, Ymd{2025, 2, 10}},
        Step{"HomeIsToday", {1990, 7, 7}, Qt::Key_Home, Ymd{2024, 2, 14}},
        Step{"StopsAtTheFirstDay", {1901, 1, 1}, Qt::Key_Left, Ymd{1901, 1, 1}},
        Step{"WeekStopsAtTheFirstDay", {1901, 1, 3}, Qt::Key_Up, Ymd{1901, 1, 1}},
        Step{"MonthStopsAtTheFirstDay", {1901, 1, 20}, Qt::Key_PageUp, Ymd{1901, 1, 1}},
        Step{"StopsAtTheLastDay", {2050, 12, 31}, Qt::Key_Right, Ymd{2050, 12, 31}},
        Step{
            "YearStopsAtTheLastDay", {2050, 3, 3}, Qt::ControlModifier | Qt::Key_PageDown, Ymd{2050, 12, 31}},
        Step{"ShiftLeftIsNotOurs", {2024, 2, 10}, Qt::ShiftModifier | Qt::Key_Left, std::nullopt},
        Step{"TabIsNotOurs", {2024, 2, 10}, Qt::Key_Tab, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Keys in the window ---------------------------------------------------------------------------

struct Walk {
    const char* name;
    Ymd today;
    std::vector<QKeyCombination> keys;
    Ymd shown;
};

class GridKeys : public CalendarAccess, public ::testing::WithParamInterface<Walk> {};

TEST_P(GridKeys, SelectAndShowTheDay) {
    const Walk& p = GetParam();
    Open(p.today);
    ASSERT_TRUE(Grid()->hasFocus()); // the window opens on the grid
    Keys(p.keys);
    EXPECT_EQ(Win->CurrentDate, Date(p.shown));
    EXPECT_EQ(SelDay, p.shown.d);
    EXPECT_EQ(W<TShape>("Shape2")->pos(), MarkerSpotOf(PositionOf(p.shown)));
    EXPECT_EQ(W<TUpDown>("UpDown1")->position(), p.shown.y);
    EXPECT_EQ(W<TUpDown>("UpDown2")->position(), p.shown.m);
    EXPECT_EQ(W<QLabel>("Label1")->text(), QString::number(p.shown.y));
    EXPECT_EQ(W<QLabel>("Label17")->text(), QString::number(p.shown.m));
    EXPECT_EQ(Grid()->selectedDay(), p.shown.d);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, GridKeys,
    ::testing::Values(Walk{"RightTwice", {2024, 2, 14}, {Qt::Key_Right, Qt::Key_Right}, {2024, 2, 16}},
                      Walk{"DownIntoNextMonth", {2024, 2, 27}, {Qt::Key_Down}, {2024, 3, 5}},
                      Walk{"CtrlPageUpThenHome",
                           {2024, 2, 14},
                           {Qt::ControlModifier | Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Home},
                           {2024, 2, 14}},
                      Walk{"PageDownFromTheLastDay", {2024, 1, 31}, {Qt::Key_PageDown}, {2024, 2, 29}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalendarAccess, KeysFollowAClickAndTabLeavesTheGrid) {
    Open({2024, 2, 14});
    const int k = PositionOf({2024, 2, 20});
    QTest::mouseClick(Win->windowHandle(), Qt::LeftButton, {}, DayLabels[k]->geometry().center());
    EXPECT_EQ(Grid()->selectedDay(), 20);
    Keys({Qt::Key_Left});
    EXPECT_EQ(Win->CurrentDate, Date({2024, 2, 19}));

    // Tab order: the grid, the year, the month, and round again.
    std::vector<QString> walk;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walk.push_back(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(walk[0], "UpDown1");
    EXPECT_EQ(walk[1], "UpDown2");
    QTest::keyClick(W<TUpDown>("UpDown2"), Qt::Key_Up); // the spinner keeps its own keys
    EXPECT_EQ(W<QLabel>("Label17")->text(), "3");
}

// ---- The month as readers meet it -----------------------------------------------------------------

TEST_F(CalendarAccess, MonthIsATableOfNamedDays) {
    Open({2024, 2, 10}); // February 2024: positions 5 to 33, five rows
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(Win);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(Grid());
    ASSERT_TRUE(Table());
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), Text("2024年2月"));
    EXPECT_GE(root->indexOfChild(table), 0);
    EXPECT_EQ(Table()->rowCount(), 5);
    EXPECT_EQ(Table()->columnCount(), 7);
    EXPECT_EQ(table->childCount(), 35);

    const QList<QAccessibleInterface*> selected = Table()->selectedCells();
    ASSERT_EQ(selected.size(), 1);
    QAccessibleInterface* today = selected[0];
    EXPECT_EQ(today->role(), QAccessible::Cell);
    EXPECT_EQ(today->text(QAccessible::Name), Text("2024年2月10日 星期六"));
    const QString details = today->text(QAccessible::Description);
    EXPECT_TRUE(details.startsWith(Text("农历甲辰年 正月初一，丙寅月 甲辰日，")) &&
                details.contains(Text("春节")))
        << details.toStdString();
    EXPECT_TRUE(today->state().selected);
    EXPECT_TRUE(today->state().focused);
    EXPECT_EQ(table->focusChild(), today);
    EXPECT_EQ(today->parent(), table);
    ASSERT_TRUE(today->tableCellInterface());
    EXPECT_EQ(today->tableCellInterface()->rowIndex(), 1);
    EXPECT_EQ(today->tableCellInterface()->columnIndex(), 6);
    const int k = PositionOf({2024, 2, 10});
    const QRect marker(Win->mapToGlobal(MarkerSpotOf(k)), QSize(38, 30));
    EXPECT_EQ(today->rect(), marker);
    EXPECT_EQ(table->childAt(marker.center().x(), marker.center().y()), today);

    EXPECT_TRUE(Table()->cellAt(0, 0)->state().invisible); // before the 1st
    EXPECT_EQ(Table()->cellAt(0, 4)->text(QAccessible::Name), Text("2024年2月1日 星期四"));
    EXPECT_FALSE(Table()->cellAt(0, 4)->state().selected);

    // The cells the table stands for, and the weekday row, are no controls of their own.
    for (QWidget* w : {static_cast<QWidget*>(DayLabels[k]), static_cast<QWidget*>(LunarLabels[k])})
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(w)->state().invisible);
    QAccessibleInterface* sunday = QAccessible::queryAccessibleInterface(W("Label2"));
    EXPECT_FALSE(sunday->state().invisible);
    EXPECT_EQ(sunday->text(QAccessible::Name), Text("星期日"));
    EXPECT_TRUE(sunday->actionInterface()->actionNames().isEmpty());
}

TEST_F(CalendarAccess, MovingTheDayIsHeard) {
    Open({2024, 2, 14});
    heardFrom = Grid();
    Keys({Qt::Key_Right});
    const int k = PositionOf({2024, 2, 15});
    auto has = [&](QAccessible::Event type, int child) {
        return std::any_of(events.begin(), events.end(),
                           [&](const Heard& h) { return h.type == type && h.child == child; });
    };
    EXPECT_TRUE(has(QAccessible::Focus, k - 1));
    EXPECT_TRUE(has(QAccessible::Selection, k - 1));

    events.clear();
    Keys({Qt::Key_PageDown}); // a new month: the table is renewed too
    EXPECT_TRUE(has(QAccessible::TableModelChanged, -1));
    EXPECT_TRUE(has(QAccessible::Focus, PositionOf({2024, 3, 15}) - 1));

    // Coming back to the grid puts the reader on the focus cell, after the grid itself.
    W("UpDown1")->setFocus(Qt::TabFocusReason);
    events.clear();
    Grid()->setFocus(Qt::BacktabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().type, QAccessible::Focus);
    EXPECT_EQ(events.back().child, PositionOf({2024, 3, 15}) - 1);
}

// ---- Spinners -------------------------------------------------------------------------------------

struct Spin {
    const char* spinner;
    const char* name;
    const char* up;
    const char* down;
    int min, max;
};

class Spinners : public CalendarAccess, public ::testing::WithParamInterface<Spin> {};

TEST_P(Spinners, AreNamedSpinBoxesWhoseStepsAreHeard) {
    const Spin& p = GetParam();
    Open({2024, 2, 14});
    auto* spinner = W<TUpDown>(p.spinner);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(spinner);
    EXPECT_EQ(iface->role(), QAccessible::SpinBox);
    EXPECT_EQ(iface->text(QAccessible::Name), Text(p.name));
    EXPECT_TRUE(iface->state().focusable);
    EXPECT_EQ(spinner->upButton()->accessibleName(), Text(p.up));
    EXPECT_EQ(spinner->downButton()->accessibleName(), Text(p.down));
    QAccessibleValueInterface* value = iface->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->minimumValue().toInt(), p.min);
    EXPECT_EQ(value->maximumValue().toInt(), p.max);
    const int before = value->currentValue().toInt();

    heardFrom = spinner;
    iface->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(value->currentValue().toInt(), before + 1);
    QTest::keyClick(spinner, Qt::Key_Up);
    EXPECT_EQ(value->currentValue().toInt(), before + 2);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].type, QAccessible::ValueChanged);
    EXPECT_EQ(events[1].value.toInt(), before + 2);

    value->setCurrentValue(p.min); // a reader setting the value moves the month as steps do
    EXPECT_EQ(spinner->position(), p.min);
    EXPECT_EQ(W<QLabel>(p.min == 1 ? "Label17" : "Label1")->text(), QString::number(p.min));
}

INSTANTIATE_TEST_SUITE_P(Both, Spinners,
                         ::testing::Values(Spin{"UpDown1", "年份", "下一年", "上一年", 1901, 2050},
                                           Spin{"UpDown2", "月份", "下个月", "上个月", 1, 12}),
                         [](const auto& info) { return std::string(info.param.spinner); });

// ---- What the eye sees ----------------------------------------------------------------------------

int ChangedPixels(const QImage& a, const QImage& b, const QRect& in) {
    int n = 0;
    for (int y = in.top(); y <= in.bottom(); ++y)
        for (int x = in.left(); x <= in.right(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST_F(CalendarAccess, FocusIsDrawnOnTheCellAndAroundTheSpinner) {
    Open({2024, 2, 14});
    const QRect cell(MarkerSpotOf(PositionOf({2024, 2, 14})) - QPoint(2, 2), QSize(42, 34));
    const QRect spinner = W("UpDown1")->geometry().adjusted(-2, -2, 2, 2);
    const QImage gridFocused = Win->grab().toImage();
    W("UpDown1")->setFocus(Qt::TabFocusReason);
    const QImage spinnerFocused = Win->grab().toImage();
    // The whole frame of the cell (its 2-pixel ring) shows, and only there.
    EXPECT_EQ(ChangedPixels(gridFocused, spinnerFocused, cell), 2 * (42 + 34) * 2 - 16);
    EXPECT_EQ(ChangedPixels(gridFocused, spinnerFocused, cell.adjusted(2, 2, -2, -2)), 0);
    EXPECT_EQ(ChangedPixels(gridFocused, spinnerFocused, spinner), 2 * (20 + 28) * 2 - 16);
}

double Luminance(QColor c) {
    const auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}
double Contrast(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Legible {
    const char* name;
    const char* widget; // or null for the lunar cell of 2024-02-14 (情人节), off the marker
    double onWindow;    // least contrast of its text as drawn, on its own background
    bool overFigures;   // its colour stands over the year and month figures too
};

class DarkPalette : public CalendarAccess, public ::testing::WithParamInterface<Legible> {
protected:
    void SetUp() override {
        CalendarAccess::SetUp();
        light_ = QApplication::palette();
        QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
    }
    void TearDown() override {
        CalendarAccess::TearDown();
        QApplication::setPalette(light_);
    }
    QPalette light_;
};

TEST_P(DarkPalette, TextsStayReadable) {
    const Legible& p = GetParam();
    Open({2024, 2, 10});
    QWidget* w = p.widget ? W(p.widget) : LunarLabels[PositionOf({2024, 2, 14})];
    // Inside a frame's line, the commonest colour is the background; the text is what stands out.
    const QImage image = Win->grab(w->geometry()).toImage(); // as drawn over what lies under it
    const QRect inside = image.rect().adjusted(1, 1, -1, -1);
    std::map<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QColor background(std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                                return a.second < b.second;
                            })->first);
    double best = 1;
    QColor ink;
    for (const auto& [rgb, n] : counts)
        if (const double c = Contrast(QColor(rgb), background); c > best) {
            best = c;
            ink = QColor(rgb);
        }
    EXPECT_GE(best, p.onWindow) << "ink " << ink.name().toStdString() << " on "
                                << background.name().toStdString();
    if (!p.overFigures)
        return;
    for (QColor figure : {QColor(0xFFE8DD), QColor(0xEBEBEB)})
        EXPECT_GE(Contrast(w->palette().color(QPalette::WindowText), figure), 3.0)
            << figure.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Texts, DarkPalette,
                         ::testing::Values(Legible{"Month", "Label18", 4.5, false},
                                           Legible{"Year", "Label19", 4.5, false},
                                           Legible{"Today", "StaticText1", 4.5, false},
                                           Legible{"Festival", nullptr, 3.0, true},
                                           Legible{"Constellation", "Label22", 3.0, true},
                                           Legible{"Zodiac", "Label21", 3.0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
