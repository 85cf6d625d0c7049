// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarGrid.h"

#include "CalendarAccessible.h"
#include "DateWin.h"
#include "DateWinWidgets.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

using DateCn::TDateTime;

namespace {

constexpr int GridPositions = 37;
// The focus cell's frame: two pixels wide, just outside the marker, dark enough on white and on
// the marker's green.
const QColor FocusColor(0x00, 0x00, 0x80);
constexpr int FocusWidth = 2;

} // namespace

// ---- PlainClickLabel ------------------------------------------------------------------------------

PlainClickLabel::PlainClickLabel(QWidget* parent) : ClickLabel(parent) {
    setFocusPolicy(Qt::NoFocus);
    DateWin::InstallCalendarAccessibility();
}

// ---- CalendarGrid ---------------------------------------------------------------------------------

CalendarGrid::CalendarGrid(QWidget* window) : QWidget(window) {
    DateWin::InstallCalendarAccessibility();
    setObjectName(QStringLiteral("CalendarGrid"));
    setAttribute(Qt::WA_TransparentForMouseEvents); // clicks go to the cells, as before
    setFocusPolicy(Qt::TabFocus);
    QRect area;
    for (int k = 1; k <= GridPositions; ++k) {
        for (ClickLabel* cell : {DateWin::DayLabels[k], DateWin::LunarLabels[k]})
            if (auto* plain = qobject_cast<PlainClickLabel*>(cell))
                plain->setSkippedByReaders(true);
        if (DateWin::DayLabels[k])
            area |= cellRect(k).adjusted(-FocusWidth, -FocusWidth, FocusWidth, FocusWidth);
    }
    setGeometry(area);
    raise();
}

int CalendarGrid::positionOf(int day) const {
    return first_ ? DateCn::DayOfWeek(first_) + day - 1 : 0;
}

int CalendarGrid::dayAt(int position) const {
    if (!first_)
        return 0;
    const int day = position - DateCn::DayOfWeek(first_) + 1;
    return day >= 1 && day <= filled_ ? day : 0;
}

int CalendarGrid::rowCount() const {
    if (!first_)
        return 0;
    const int last = positionOf(std::max(filled_, 1));
    return (last - 1) / 7 + 1;
}

QRect CalendarGrid::cellRect(int position) const {
    const ClickLabel* day =
        position >= 1 && position <= GridPositions ? DateWin::DayLabels[position] : nullptr;
    if (!day)
        return {};
    return {day->x() - 1, day->y() + 1, 38, 30};
}

void CalendarGrid::showMonth(TDateTime first, int filled, int selected) {
    const bool monthChanged = first != first_ || filled != filled_;
    const int before = selectedDay();
    first_ = first;
    filled_ = filled;
    selected_ = selected;
    changed(monthChanged, selectedDay() != before);
}

void CalendarGrid::selectDay(int day) {
    const int before = selectedDay();
    selected_ = day;
    changed(false, selectedDay() != before);
}

void CalendarGrid::changed(bool monthChanged, bool selectionChanged) {
    if (!monthChanged && !selectionChanged)
        return;
    update();
    if (!DateWin::AccessEventsWanted())
        return;
    if (monthChanged) {
        QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
        DateWin::Announce(&reset);
        QAccessibleEvent name(this, QAccessible::NameChanged);
        DateWin::Announce(&name);
    }
    if (const int day = selectedDay()) {
        QAccessibleEvent selection(this, QAccessible::Selection);
        selection.setChild(positionOf(day) - 1);
        DateWin::Announce(&selection);
        if (hasFocus())
            announceFocusCell();
    }
}

void CalendarGrid::announceFocusCell() {
    if (const int day = selectedDay(); day && DateWin::AccessEventsWanted()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(positionOf(day) - 1);
        DateWin::Announce(&focus);
    }
}

void CalendarGrid::keyPressEvent(QKeyEvent* event) {
    const int day = selectedDay();
    const TDateTime from = first_ + (day ? day : 1) - 1;
    const auto target = DateWin::KeyTarget(from, event->key(), event->modifiers(), DateWin::Today());
    if (!first_ || !target) {
        QWidget::keyPressEvent(event); // Tab, Escape and the rest go on to the window
        return;
    }
    event->accept();
    if (*target != from || !day)
        emit dateChosen(*target);
}

void CalendarGrid::paintEvent(QPaintEvent*) {
    if (!hasFocus())
        return;
    const int day = selectedDay();
    if (!day)
        return;
    QPainter p(this);
    p.setPen(QPen(FocusColor, FocusWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    // The pen straddles the path: a rectangle one pixel outside the marker puts both pixels of
    // each edge outside it.
    const QRect marker = cellRect(positionOf(day)).translated(-pos());
    p.drawRect(QRectF(marker).adjusted(-1, -1, 1, 1));
}

void CalendarGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    // The window system announces the grid itself after this handler; the focus cell follows it.
    QMetaObject::invokeMethod(this, &CalendarGrid::announceFocusCell, Qt::QueuedConnection);
}

void CalendarGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

// ---- FocusRing ------------------------------------------------------------------------------------

FocusRing::FocusRing(QWidget* target) : QWidget(target->parentWidget()), target_(target) {
    DateWin::InstallCalendarAccessibility();
    setObjectName(target->objectName() + QStringLiteral("Focus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    target->installEventFilter(this);
    follow();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            follow();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::follow() {
    if (!target_)
        return;
    setGeometry(target_->geometry().adjusted(-FocusWidth, -FocusWidth, FocusWidth, FocusWidth));
    const bool on = target_->hasFocus() && target_->isVisible();
    if (on)
        raise();
    setVisible(on);
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(FocusColor, FocusWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

// ---- Module functions ------------------------------------------------------------------------------

namespace DateWin {

TDateTime FirstShownDate() {
    return DateCn::EncodeDate(1901, 1, 1);
}

TDateTime LastShownDate() {
    return DateCn::EncodeDate(2050, 12, 31);
}

std::optional<TDateTime> KeyTarget(TDateTime from, int key, Qt::KeyboardModifiers modifiers,
                                   TDateTime today) {
    const auto mods = modifiers & ~Qt::KeypadModifier;
    const auto clamp = [](TDateTime d) { return std::clamp(d, FirstShownDate(), LastShownDate()); };
    const auto months = [&](int delta) {
        int y = 0, m = 0, d = 0;
        DateCn::DecodeDate(from, y, m, d);
        const int index = y * 12 + (m - 1) + delta;
        const int year = index / 12, month = index % 12 + 1;
        if (year < 1901)
            return FirstShownDate();
        if (year > 2050)
            return LastShownDate();
        return SafeEncodeDate(static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
                              static_cast<std::uint16_t>(d));
    };
    if (mods == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Left:
            return clamp(from - 1);
        case Qt::Key_Right:
            return clamp(from + 1);
        case Qt::Key_Up:
            return clamp(from - 7);
        case Qt::Key_Down:
            return clamp(from + 7);
        case Qt::Key_PageUp:
            return months(-1);
        case Qt::Key_PageDown:
            return months(1);
        case Qt::Key_Home:
            return clamp(today);
        default:
            return std::nullopt;
        }
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_PageUp)
        return months(-12);
    if (mods == Qt::ControlModifier && key == Qt::Key_PageDown)
        return months(12);
    return std::nullopt;
}

QString SpokenDate(TDateTime date) {
    static const char* const weekdays[8] = {"", "日", "一", "二", "三", "四", "五", "六"};
    int y = 0, m = 0, d = 0;
    DateCn::DecodeDate(date, y, m, d);
    return QStringLiteral("%1年%2月%3日 星期").arg(y).arg(m).arg(d) +
           QString::fromUtf8(weekdays[DateCn::DayOfWeek(date)]);
}

void SetUpAccess(QWidget* window, CalendarGrid* grid) {
    InstallCalendarAccessibility();
    auto* year = window->findChild<TUpDown*>(QStringLiteral("UpDown1"));
    auto* month = window->findChild<TUpDown*>(QStringLiteral("UpDown2"));
    auto* today = window->findChild<QWidget*>(QStringLiteral("StaticText1"));
    if (year) {
        year->setAccessibleName(QStringLiteral("年份"));
        year->upButton()->setAccessibleName(QStringLiteral("下一年"));
        year->downButton()->setAccessibleName(QStringLiteral("上一年"));
    }
    if (month) {
        month->setAccessibleName(QStringLiteral("月份"));
        month->upButton()->setAccessibleName(QStringLiteral("下个月"));
        month->downButton()->setAccessibleName(QStringLiteral("上个月"));
    }
    for (TUpDown* spinner : {year, month}) {
        if (!spinner)
            continue;
        new FocusRing(spinner);
        QObject::connect(spinner, &TUpDown::Click, spinner, [spinner] {
            if (!AccessEventsWanted())
                return;
            QAccessibleValueChangeEvent step(spinner, spinner->position());
            Announce(&step);
        });
    }
    // Tab order: the grid, then the spinners and "今天" in their own order.
    QWidget* previous = grid;
    for (QWidget* w : {static_cast<QWidget*>(year), static_cast<QWidget*>(month), today})
        if (w) {
            QWidget::setTabOrder(previous, w);
            previous = w;
        }
    grid->setFocus(Qt::OtherFocusReason);
}

} // namespace DateWin
