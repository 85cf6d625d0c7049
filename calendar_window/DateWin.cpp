// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateWin.h"

#include "CalendarGrid.h"
#include "Clock.h"
#include "DateWinHint.h"
#include "DateWinWidgets.h"
#include "DayTexts.h"
#include "Errors.h"
#include "Logging.h"
#include "Platform.h"
#include "WindowOwner.h"
#include "ui_DateWin.h"

#include <QShowEvent>

#include <algorithm>

QPointer<TFRM_Date> FRM_Date;

namespace DateWin {

std::array<ClickLabel*, 38> DayLabels{};
std::array<ClickLabel*, 38> LunarLabels{};
std::uint16_t SelYear = 0;
std::uint16_t SelMonth = 0;
std::uint16_t SelDay = 0;

int DaysInMonthOf(std::uint16_t year, std::uint16_t month) {
    if (month < 1 || month > 12)
        return 0;
    return DateCn::MonthDays[DateCn::IsLeapYear(year) ? 1 : 0][month - 1];
}

int DaysInMonth(DateCn::TDateTime date) {
    int y = 0, m = 0, d = 0;
    DateCn::DecodeDate(date, y, m, d);
    return DaysInMonthOf(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m));
}

DateCn::TDateTime SafeEncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
    return DateCn::EncodeDate(year, month, std::min<int>(day, DaysInMonthOf(year, month)));
}

DateCn::TDateTime Today() {
    const QDate today = Platform::services().clock().today();
    return DateCn::EncodeDate(today.year(), today.month(), today.day());
}

} // namespace DateWin

using namespace DateWin;

namespace {

// The grid: rows of 7 positions; cells step 42 pixels across and 32 down.
constexpr int ColumnStep = 42;
constexpr int RowStep = 32;

const QColor LunarMonthColor(0xFF, 0x00, 0x00);
const QColor FestivalColor(0xD0, 0x68, 0x00); // orange, 3:1 on white and on the background figures
const QColor SolarTermColor(0x53, 0x53, 0xFF);

// The colour of a lunar cell's text of each kind; the plain lunar day keeps the prototype's colour.
QColor ColorOf(DayTextKind kind, const QColor& plain) {
    switch (kind) {
    case DayTextKind::LunarFestival:
    case DayTextKind::CivilFestival:
        return FestivalColor;
    case DayTextKind::SolarTerm:
        return SolarTermColor;
    case DayTextKind::LunarMonth:
        return LunarMonthColor;
    case DayTextKind::LunarDay:
        break;
    }
    return plain;
}

// A cell's handler, run under the error guard with the cell as the sender.
auto OnCell(TFRM_Date* form, QWidget* cell, void (TFRM_Date::*handler)(QWidget*)) {
    return Platform::Guarded([form, cell, handler] { (form->*handler)(cell); });
}

} // namespace

TFRM_Date::TFRM_Date(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFRM_Date>()), dayHint_(new DayHintPopup(this)) {
    ui_->setupUi(this);
    // Title bar with the close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Platform::CentreOnScreen(this);

    using Platform::Guarded;
    connect(ui_->Label1, &ClickLabel::Click, this, Guarded([this] { Label1Click(); }));
    connect(ui_->Label17, &ClickLabel::Click, this, Guarded([this] { Label17Click(); }));
    for (ClickLabel* l :
         {ui_->Label2, ui_->Label3, ui_->Label4, ui_->Label5, ui_->Label6, ui_->Label7, ui_->Label8})
        connect(l, &ClickLabel::Click, this, Guarded([this] { Label5Click(); }));
    connect(ui_->UpDown1, &TUpDown::Click, this, Guarded([this] { UpDown1Click(); }));
    connect(ui_->UpDown2, &TUpDown::Click, this, Guarded([this] { UpDown2Click(); }));
    connect(ui_->StaticText1, &ClickLabel::Click, this, Guarded([this] { StaticText1Click(); }));

    Platform::Guard([this] { FormCreate(); });

    // The keyboard's and screen readers' way into the month; a key's date is shown as "今天" shows today.
    grid_ = new CalendarGrid(this);
    connect(grid_, &CalendarGrid::dateChosen, this, [this](double date) {
        Platform::Guard([this, date] {
            CurrentDate = date;
            FormShow();
        });
    });
    DateWin::SetUpAccess(this, grid_);
}

TFRM_Date::~TFRM_Date() {
    // The module's cell arrays must not outlive the cells they refer to.
    if (DayLabels[1] && DayLabels[1]->parent() == this) {
        DayLabels.fill(nullptr);
        LunarLabels.fill(nullptr);
    }
}

void TFRM_Date::FormCreate() {
    CreateDayLabels();
    CurrentDate = DateWin::Today();
}

void TFRM_Date::CreateDayLabels() {
    // The prototypes take their font and colour from their style sheets, which apply on polishing.
    ui_->day1->ensurePolished();
    ui_->Cnday->ensurePolished();
    for (int k = 1; k <= GridPositions; ++k) {
        auto* day = new PlainClickLabel(this);
        auto* lunar = new PlainClickLabel(this);
        day->setObjectName(QStringLiteral("DayLabel%1").arg(k));
        lunar->setObjectName(QStringLiteral("LunarLabel%1").arg(k));
        DayLabels[k] = day;
        LunarLabels[k] = lunar;

        connect(day, &ClickLabel::Click, this, OnCell(this, day, &TFRM_Date::CnDayClick));
        connect(day, &ClickLabel::MouseDown, this, OnCell(this, day, &TFRM_Date::CnDayMouseDown));
        connect(lunar, &ClickLabel::Click, this, OnCell(this, lunar, &TFRM_Date::CHnDayClick));
        connect(lunar, &ClickLabel::MouseDown, this, OnCell(this, lunar, &TFRM_Date::ChnDateMouseDown));
        day->installEventFilter(this); // their hints are made when they are asked for
        lunar->installEventFilter(this);

        day->resize(ui_->day1->size());
        day->setAlignment(ui_->day1->alignment());
        lunar->resize(ui_->Cnday->size());
        lunar->setAlignment(ui_->Cnday->alignment());

        if (k == 1) {
            day->move(ui_->day1->pos());
            lunar->move(ui_->Cnday->pos());
        } else if ((k - 1) % 7 != 0) { // same row: one column to the right
            day->move(DayLabels[k - 1]->x() + ColumnStep, DayLabels[k - 1]->y());
            lunar->move(LunarLabels[k - 1]->x() + ColumnStep, LunarLabels[k - 1]->y());
        } else { // a new row, back at the prototypes' left edge
            day->move(ui_->day1->x(), DayLabels[k - 1]->y() + RowStep);
            lunar->move(ui_->Cnday->x(), LunarLabels[k - 1]->y() + RowStep);
        }

        day->setFont(ui_->day1->font());
        day->setPalette(cellPalette(Qt::black));
        lunar->setFont(ui_->Cnday->font());
        lunar->setPalette(cellPalette(plainLunarColor()));
        // QLabel paints no background unless asked to: both cells stay transparent.
    }
    // The spinners and "今天" stand over the grid.
    ui_->UpDown1->raise();
    ui_->UpDown2->raise();
    ui_->StaticText1->raise();
}

void TFRM_Date::ShowMonth(DateCn::TDateTime date) {
    using namespace DateCn;
    dayHint_->hide(); // a hint on show tells of a day of the month before
    // 1. The headings.
    showHeadings(date);

    // 2. Every cell restyled; only step 4 shows the month's days again. Visibility is applied to the
    //    widgets in one pass at the end, so that a cell shown in both months is not hidden and shown
    //    again (each costs a repaint request).
    restyleCells();

    // 3. The month: its first day falls on position W (1 = Sunday .. 7 = Saturday).
    int Y = 0, M = 0, D = 0;
    DecodeDate(date, Y, M, D);
    const TDateTime First = EncodeDate(Y, M, 1);
    shownMonthStart_ = First;
    const int W = DayOfWeek(First);
    const int N = DaysInMonth(First);

    // 4. Fill the days.
    const std::array<bool, GridPositions + 1> shown = fillDays(First, W, N, D);
    for (int k = 1; k <= GridPositions; ++k) {
        DayLabels[k]->setVisible(shown[k]);
        LunarLabels[k]->setVisible(shown[k]);
    }
    if (grid_)
        grid_->showMonth(First, static_cast<int>(std::count(shown.begin(), shown.end(), true)), D);
}

// The year label sizes itself to its text. The month label keeps its 36 x 37 box, text centred: sized
// to the Arial substitute's line it would reach over the weekdays below and take their clicks.
void TFRM_Date::showHeadings(DateCn::TDateTime date) {
    using namespace DateCn;
    ui_->Label20->setText(QString::number(GetYear(date)));
    ui_->Label17->setText(QString::number(GetMonth(date)));
    ui_->Label16->setText(ui_->Label17->text());
    ui_->Label1->setText(QString::number(GetYear(date)));
    ui_->Label1->adjustSize();
    ui_->Label21->setText(QString::fromStdString(GetZodiac(date)));
}

void TFRM_Date::restyleCells() {
    for (int k = 1; k <= GridPositions; ++k) {
        setFontColor(DayLabels[k], Qt::black);
        setFontColor(LunarLabels[k], Qt::black);
        if (DayLabels[k]->font().pixelSize() != 15) {
            QFont f = DayLabels[k]->font();
            f.setPixelSize(15); // 11 points at 96 dots per inch
            DayLabels[k]->setFont(f);
        }
    }
}

// Days 1 to N of the month that begins on first, at positions W to W + N - 1, with day D marked; gives
// the positions filled. A failure ends the filling quietly at that day: the days before it stay shown,
// the rest stay hidden, and the marker keeps its place if its day was not reached.
std::array<bool, TFRM_Date::GridPositions + 1> TFRM_Date::fillDays(DateCn::TDateTime first, int W, int N,
                                                                   int D) {
    std::array<bool, GridPositions + 1> shown{};
    try {
        for (int k = W; k <= W + N - 1; ++k) {
            const int d = k - W + 1;
            const DateCn::TDateTime Cur = first + (d - 1);
            fillDay(k, d, Cur);
            if (d == D) {
                ui_->Shape2->move(DayLabels[k]->x() - 1, DayLabels[k]->y() + 1);
                ui_->Label22->setText(QString::fromStdString(DateCn::GetConstellationOfDay(D, Cur)));
            }
            shown[k] = true;
        }
    } catch (...) {
        // Ends the filling without a message.
        qCDebug(Platform::lcCalendar, "the month grid stopped filling: %s", Platform::CaughtMessage());
    }
    return shown;
}

// Position k shows day d (whose date is cur): its number, and under it the day's text of highest
// precedence in that text's colour.
void TFRM_Date::fillDay(int k, int d, DateCn::TDateTime cur) {
    ClickLabel* day = DayLabels[k];
    ClickLabel* lunar = LunarLabels[k];
    day->setText(QString::number(d));
    day->setTag(d);
    lunar->setTag(d);
    const std::vector<DayText> texts = DayTexts(cur);
    if (texts.empty()) {
        lunar->clear();
        setFontColor(lunar, plainLunarColor());
        return;
    }
    lunar->setText(QString::fromStdString(texts.front().text));
    setFontColor(lunar, ColorOf(texts.front().kind, plainLunarColor()));
}

// The date a day cell or lunar cell stands for in the month on show: the day of its tag.
std::optional<DateCn::TDateTime> TFRM_Date::cellDate(const QWidget* cell) const {
    const auto isCellOf = [cell](const std::array<ClickLabel*, 38>& cells) {
        return std::find(cells.begin() + 1, cells.end(), cell) != cells.end();
    };
    if (!cell || cell->isHidden() || !(isCellOf(DayLabels) || isCellOf(LunarLabels)))
        return std::nullopt;
    return shownMonthStart_ + static_cast<const ClickLabel*>(cell)->tag() - 1;
}

// A cell's hint is made only when it is asked for, which keeps it out of ShowMonth's time.
QString TFRM_Date::cellHint(const QWidget* cell) const {
    const std::optional<DateCn::TDateTime> date = cellDate(cell);
    return date ? DayHint(*date).plain : QString();
}

bool TFRM_Date::eventFilter(QObject* watched, QEvent* event) {
    // Only the cells are watched. Their hint opens beside the day's two cells, never over them.
    if (event->type() == QEvent::ToolTip) {
        auto* cell = static_cast<QWidget*>(watched);
        if (const std::optional<DateCn::TDateTime> date = cellDate(cell)) {
            const int k =
                static_cast<const ClickLabel*>(cell)->tag() + DateCn::DayOfWeek(shownMonthStart_) - 1;
            const QRect both = DayLabels[k]->geometry().united(LunarLabels[k]->geometry());
            dayHint_->showBeside(cell, QRect(mapToGlobal(both.topLeft()), both.size()), DayHint(*date));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// A cell's palette: the given font colour on the window's background colour. The few palettes in
// use are made once and shared, which keeps a month's restyling cheap.
const QPalette& TFRM_Date::cellPalette(const QColor& fontColor) {
    for (const auto& [rgb, p] : cellPalettes_)
        if (rgb == fontColor.rgb())
            return p;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, fontColor);
    return cellPalettes_.emplace_back(fontColor.rgb(), p).second;
}

void TFRM_Date::setFontColor(QLabel* cell, const QColor& color) {
    if (cell->palette().color(QPalette::WindowText) != color)
        cell->setPalette(cellPalette(color));
}

QColor TFRM_Date::plainLunarColor() const {
    return ui_->Cnday->palette().color(QPalette::WindowText);
}

void TFRM_Date::StoreSelectedDate() {
    CurrentDate = DateCn::EncodeDate(SelYear, SelMonth, SelDay);
}

void TFRM_Date::FormShow() {
    int y = 0, m = 0, d = 0;
    DateCn::DecodeDate(CurrentDate, y, m, d);
    SelYear = static_cast<std::uint16_t>(y);
    SelMonth = static_cast<std::uint16_t>(m);
    SelDay = static_cast<std::uint16_t>(d);
    ui_->UpDown1->setPosition(SelYear);
    ui_->UpDown2->setPosition(SelMonth);
    ShowMonth(CurrentDate);
}

void TFRM_Date::Label1Click() {
    ui_->UpDown1->show();
    ui_->UpDown2->hide();
}

void TFRM_Date::Label17Click() {
    ui_->UpDown2->show();
    ui_->UpDown1->hide();
}

void TFRM_Date::UpDown1Click() {
    SelYear = static_cast<std::uint16_t>(ui_->UpDown1->position());
    ShowMonth(SafeEncodeDate(SelYear, SelMonth, SelDay));
}

void TFRM_Date::UpDown2Click() {
    SelMonth = static_cast<std::uint16_t>(ui_->UpDown2->position());
    ShowMonth(SafeEncodeDate(SelYear, SelMonth, SelDay));
}

// Both mouse-down handlers put the marker 1 pixel left of and 1 pixel below the top-left corner of
// the position's day cell; the lunar cell lies 1 left of and 17 below its day cell.
void TFRM_Date::CnDayMouseDown(QWidget* Sender) {
    ui_->Shape2->move(Sender->x() - 1, Sender->y() + 1);
}

void TFRM_Date::ChnDateMouseDown(QWidget* Sender) {
    ui_->Shape2->move(Sender->x(), Sender->y() - 16);
}

void TFRM_Date::CnDayClick(QWidget* Sender) {
    SelDay = static_cast<std::uint16_t>(static_cast<ClickLabel*>(Sender)->tag());
    StoreSelectedDate();
    if (grid_)
        grid_->selectDay(SelDay);
}

void TFRM_Date::CHnDayClick(QWidget* Sender) {
    CnDayClick(Sender);
}

void TFRM_Date::StaticText1Click() {
    CurrentDate = DateWin::Today();
    FormShow();
}

void TFRM_Date::FormDeactivate() {
    close();
}

void TFRM_Date::FormClose() {
    // A closed calendar leaves the application's ownership: only the next opening destroys it.
    Platform::Disown(this);
}

void TFRM_Date::done(int result) {
    // Every way of closing (close box, deactivation, Escape) ends here.
    wasActive_ = false;
    Platform::Guard([this] { FormClose(); });
    QDialog::done(result);
}

void TFRM_Date::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Platform::Guard([this] { FormShow(); });
}

void TFRM_Date::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        wasActive_ = true;
    else if (wasActive_ && isVisible())
        Platform::Guard([this] { FormDeactivate(); });
}

void TFRM_Date::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ui_->Shape1->setGeometry(rect()); // the frame follows the client area
}
