// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarAccessible.h"

#include "CalendarGrid.h"
#include "DateWinHint.h"
#include "DateWinWidgets.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <array>

namespace DateWin {

namespace {

constexpr int Columns = 7;
constexpr int MaxCells = 6 * Columns;

// One cell of the month's table, at child index (row × 7 + column) of the grid's table; what it
// says follows the grid's month. The table owns it.
class DayCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    DayCellAccessible(CalendarGrid* grid, int index) : grid_(grid), index_(index) {}

    int day() const { return grid_ ? grid_->dayAt(index_ + 1) : 0; }
    DateCn::TDateTime date() const { return grid_->monthStart() + day() - 1; }

    bool isValid() const override { return grid_ && index_ < grid_->rowCount() * Columns; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!day())
            return {};
        if (t == QAccessible::Name)
            return SpokenDate(date());
        if (t == QAccessible::Description) {
            try {
                // The hint's first line is the date itself, already the name.
                return DayHint(date())
                    .plain.section(QLatin1Char('\n'), 1)
                    .replace(QLatin1Char('\n'), QStringLiteral("，"));
            } catch (...) {
                return {};
            }
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!grid_ || !day())
            return {};
        const QRect r = grid_->cellRect(index_ + 1);
        return QRect(grid_->parentWidget()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const int d = day();
        if (!d || !grid_->isVisible()) {
            s.invisible = true;
            return s;
        }
        s.focusable = true;
        s.selectable = true;
        s.selected = d == grid_->selectedDay();
        s.focused = s.selected && grid_->hasFocus();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                    : nullptr;
    }

    bool isSelected() const override { return day() && day() == grid_->selectedDay(); }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % Columns; }
    int rowIndex() const override { return index_ / Columns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<CalendarGrid> grid_;
    int index_;
};

class MonthTableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit MonthTableAccessible(CalendarGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~MonthTableAccessible() override {
        for (QAccessible::Id id : ids_)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }

    CalendarGrid* grid() const { return static_cast<CalendarGrid*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);
        if (!text.isEmpty())
            return text;
        if (t == QAccessible::Name && grid()->monthStart()) {
            int y = 0, m = 0, d = 0;
            DateCn::DecodeDate(grid()->monthStart(), y, m, d);
            return QStringLiteral("%1年%2月").arg(y).arg(m);
        }
        if (t == QAccessible::Description)
            return QStringLiteral(
                "方向键换日，PageUp/PageDown 换月，Ctrl+PageUp/PageDown 换年，Home 回到今天");
        return text;
    }

    int childCount() const override { return rowCount() * Columns; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (!ids_[index]) {
            auto* cell = new DayCellAccessible(grid(), index);
            ids_[index] = QAccessible::registerAccessibleInterface(cell);
        }
        return QAccessible::accessibleInterface(ids_[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p = grid()->parentWidget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (grid()->dayAt(i + 1) && grid()->cellRect(i + 1).contains(p))
                return child(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const int day = grid()->selectedDay();
        return grid()->hasFocus() && day ? child(grid()->positionOf(day) - 1) : nullptr;
    }

    // The table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return column >= 0 && column < Columns ? child(row * Columns + column) : nullptr;
    }
    int selectedCellCount() const override { return grid()->selectedDay() ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        const int day = grid()->selectedDay();
        if (!day)
            return {};
        return {child(grid()->positionOf(day) - 1)};
    }
    QString columnDescription(int column) const override {
        static const char* const names[Columns] = {"星期日", "星期一", "星期二", "星期三",
                                                   "星期四", "星期五", "星期六"};
        return column >= 0 && column < Columns ? QString::fromUtf8(names[column]) : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Columns; }
    int rowCount() const override { return grid()->rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {} // the cells follow the grid

private:
    mutable std::array<QAccessible::Id, MaxCells> ids_{};
};

// A spinner: a spin box whose value is its position.
class SpinnerAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinnerAccessible(TUpDown* spinner) : QAccessibleWidget(spinner, QAccessible::SpinBox) {}

    TUpDown* spinner() const { return static_cast<TUpDown*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(spinner()->position());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return spinner()->position(); }
    // As if the user stepped there, so that the month on show follows.
    void setCurrentValue(const QVariant& value) override {
        const int target = std::clamp(value.toInt(), spinner()->minimum(), spinner()->maximum());
        while (spinner()->position() != target)
            spinner()->step(target > spinner()->position() ? TUpDown::btNext : TUpDown::btPrev);
    }
    QVariant maximumValue() const override { return spinner()->maximum(); }
    QVariant minimumValue() const override { return spinner()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == increaseAction())
            spinner()->step(TUpDown::btNext);
        else if (action == decreaseAction())
            spinner()->step(TUpDown::btPrev);
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == increaseAction())
            return {QStringLiteral("Up")};
        if (action == decreaseAction())
            return {QStringLiteral("Down")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

// A focus frame: there for the eye only, readers pass it by.
class SkippedAccessible final : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        return s;
    }
    QStringList actionNames() const override { return {}; }
};

// A plain click label: read as text, with no press action and no focus; not read at all where the
// grid's cells stand for it (the flag may be set after the interface is made).
class PlainLabelAccessible final : public QAccessibleWidget {
public:
    explicit PlainLabelAccessible(PlainClickLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText), label_(label) {}
    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = label_->text();
        return text;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = false;
        if (label_->skippedByReaders())
            s.invisible = true;
        return s;
    }
    QStringList actionNames() const override { return {}; }

private:
    PlainClickLabel* label_;
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (className == QLatin1String("CalendarGrid"))
        return new MonthTableAccessible(static_cast<CalendarGrid*>(object));
    if (className == QLatin1String("TUpDown"))
        return new SpinnerAccessible(static_cast<TUpDown*>(object));
    if (className == QLatin1String("FocusRing"))
        return new SkippedAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("PlainClickLabel"))
        return new PlainLabelAccessible(static_cast<PlainClickLabel*>(object));
    return nullptr;
}

AccessEventListener listener = nullptr;

} // namespace

bool AccessEventsWanted() {
    return listener || QAccessible::isActive();
}

void Announce(QAccessibleEvent* event) {
    if (listener)
        listener(event);
    if (QAccessible::isActive())
        QAccessible::updateAccessibility(event);
}

void SetAccessEventListener(AccessEventListener l) {
    listener = l;
}

void InstallCalendarAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

} // namespace DateWin
