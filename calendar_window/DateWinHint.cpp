// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateWinHint.h"

#include "DayTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <string>

namespace DateWin {

namespace {

// By DayOfWeek: 1 = Sunday … 7 = Saturday.
constexpr const char* WeekdayNames[8] = {"",       "星期日", "星期一", "星期二",
                                         "星期三", "星期四", "星期五", "星期六"};

QString Html(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

// A line of the rich hint: the item's name in bold, then its value (already HTML). Every name is two
// characters wide, so the values line up without a table (whose layout costs milliseconds).
QString Line(const char* name, const QString& value) {
    return QStringLiteral("<br><b>%1</b> %2").arg(QString::fromUtf8(name), value);
}

// Two ideographic spaces and a space, kept as they are: a continued value starts under the value above.
const QString Indent = QStringLiteral("<br><span style=\"white-space:pre\">\u3000\u3000 </span>");

// The almanac part of the hint, plain and rich; nothing outside 1901–2050.
void AddAlmanac(DateCn::TDateTime date, std::string& plain, QString& rich) {
    using namespace DateCn;
    const std::string star = GetJianChu(date);
    if (star.empty())
        return;
    const std::string god = GetZhiShen(date), road = GetHuangDao(date), xiu = GetXiu(date);
    const std::string chong = "冲" + GetChong(date) + "(" + GetChongGanZhi(date) + ")",
                      sha = "煞" + GetSha(date);
    const std::string pengZu = GetPengZuBaiJi(date);
    const std::string stemSaying = pengZu.substr(0, pengZu.find(' ')),
                      branchSaying = pengZu.substr(pengZu.find(' ') + 1);
    const std::string xi = GetXiShen(date), fu = GetFuShen(date), cai = GetCaiShen(date);
    const std::string yang = GetYangGui(date), yin = GetYinGui(date);
    plain += "\n" + star + "日 " + god + "（" + road + "） " + xiu + "宿";
    plain += "\n" + chong + " " + sha + " 纳音" + GetNaYin(date);
    plain += "\n彭祖百忌 " + stemSaying + " " + branchSaying;
    plain += "\n胎神 " + GetTaiShen(date);
    plain += "\n喜神" + xi + " 福神" + fu + " 财神" + cai + " 阳贵" + yang + " 阴贵" + yin;
    plain += "\n日禄 " + GetRiLu(date);

    const QColor roadColor = RoadColor(road == "黄道", QToolTip::palette().color(QPalette::ToolTipBase));
    rich += QStringLiteral("<p style=\"margin:6px 0 0 0\">");
    rich += Line("建除", Html(star + "日")).mid(4); // the paragraph's first line
    rich += Line("值神", QStringLiteral("<span style=\"color:%1\">%2</span>")
                             .arg(roadColor.name(), Html(god + "（" + road + "）")));
    rich += Line("星宿", Html(xiu + "宿 " + GetXiuName(date)));
    rich += Line("冲煞", Html(chong + " " + sha));
    rich += Line("纳音", Html(GetNaYin(date)));
    rich += Line("彭祖", Html(stemSaying)) + Indent + Html(branchSaying);
    rich += Line("胎神", Html(GetTaiShen(date)));
    rich += Line("日禄", Html(GetRiLu(date)));
    // The five gods under their names, two characters each.
    rich += QStringLiteral("<br><b>喜神 福神 财神 阳贵 阴贵</b><br>") +
            Html(xi + " " + fu + " " + cai + " " + yang + " " + yin) + QStringLiteral("</p>");
}

// The relative luminance of a colour, as the web accessibility guidelines define it.
double Luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

DayHintText DayHint(DateCn::TDateTime date) {
    using namespace DateCn;
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    const std::string heading = std::to_string(y) + "年" + std::to_string(m) + "月" + std::to_string(d) +
                                "日 " + WeekdayNames[DayOfWeek(date)];
    const std::string lunar =
        "农历" + GetGanZhiYear(date) + "年 " + GetLunarMonthName(date) + GetLunarDayName(date);
    const std::string pillars = GetGanZhiMonth(date) + "月 " + GetGanZhiDay(date) + "日";

    std::string plain = heading + "\n" + lunar + "\n" + pillars;
    QString rich = QStringLiteral("<p style=\"margin:0\"><b>%1</b><br>%2<br>%3")
                       .arg(Html(heading), Html(lunar), Html(pillars));
    // The day's festivals and solar term; the lunar name of the grid's rule is on the line above.
    for (const DayText& text : DayTexts(date)) {
        if (text.kind == DayTextKind::LunarMonth || text.kind == DayTextKind::LunarDay)
            continue;
        plain += "\n" + text.text;
        rich += QStringLiteral("<br>") + Html(text.text);
    }
    rich += QStringLiteral("</p>");
    AddAlmanac(date, plain, rich);
    return {QString::fromStdString(plain), rich};
}

QColor RoadColor(bool huangDao, const QColor& tipBase) {
    // Contrast 6 or more on white, #FFFFDC and black, #2B2B2B alike.
    if (Luminance(tipBase) > 0.18)
        return huangDao ? QColor(0xA0, 0x40, 0x00) : QColor(0x3C, 0x4C, 0x64);
    return huangDao ? QColor(0xFF, 0xB8, 0x4D) : QColor(0xB0, 0xBE, 0xD4);
}

QRect HintPlacement(const QRect& keepClear, const QSize& hint, const QRect& screen) {
    constexpr int gap = 4; // between the cells and the hint
    const int w = hint.width(), h = hint.height();
    // Along the side of the cells, the hint starts level with them and slides back onto the screen.
    const int top =
        std::clamp(keepClear.top(), screen.top(), std::max(screen.top(), screen.bottom() - h + 1));
    const int left =
        std::clamp(keepClear.left(), screen.left(), std::max(screen.left(), screen.right() - w + 1));
    struct Side {
        QRect place;
        int room; // free pixels on that side, across the hint's direction of travel
        int need;
    };
    const Side sides[4] = {
        {QRect(keepClear.right() + 1 + gap, top, w, h), screen.right() - keepClear.right() - gap, w},
        {QRect(keepClear.left() - gap - w, top, w, h), keepClear.left() - screen.left() - gap, w},
        {QRect(left, keepClear.bottom() + 1 + gap, w, h), screen.bottom() - keepClear.bottom() - gap, h},
        {QRect(left, keepClear.top() - gap - h, w, h), keepClear.top() - screen.top() - gap, h},
    };
    for (const Side& side : sides)
        if (side.room >= side.need && screen.contains(side.place))
            return side.place;
    // Too big for every side: the roomiest, pushed onto the screen where it can be.
    const Side& best =
        *std::max_element(std::begin(sides), std::end(sides),
                          [](const Side& a, const Side& b) { return a.room - a.need < b.room - b.need; });
    QRect place = best.place;
    place.moveLeft(std::clamp(place.left(), screen.left(), std::max(screen.left(), screen.right() - w + 1)));
    place.moveTop(std::clamp(place.top(), screen.top(), std::max(screen.top(), screen.bottom() - h + 1)));
    return place;
}

} // namespace DateWin

DayHintPopup::DayHintPopup(QWidget* owner) : QWidget(owner, Qt::ToolTip | Qt::BypassGraphicsProxyWidget) {
    setObjectName(QStringLiteral("DayHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    document_.setDocumentMargin(5);
    document_.setUndoRedoEnabled(false);
    owner->installEventFilter(this);
}

void DayHintPopup::showBeside(QWidget* cell, const QRect& keepClear, const DateWin::DayHintText& hint) {
    if (cell_ && cell_ != cell)
        cell_->removeEventFilter(this);
    cell_ = cell;
    cell->installEventFilter(this);
    // The tips' own look, taken afresh each time so that a change of palette reaches the hint too.
    if (palette() != QToolTip::palette())
        setPalette(QToolTip::palette());
    document_.setDefaultFont(QToolTip::font());
    document_.setHtml(hint.rich);
    text_ = hint.rich;
    // No wrapping: one layout gives the size; the frame adds a pixel on each side.
    resize(document_.size().toSize() + QSize(2, 2));
    const QScreen* screen = cell->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(keepClear.topLeft(), size());
    move(DateWin::HintPlacement(keepClear, size(), area).topLeft());
    update();
    show(); // a tip window stands above the others
}

void DayHintPopup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    p.setPen(palette().color(QPalette::ToolTipText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.translate(1, 1);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.palette.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    document_.documentLayout()->draw(&p, context);
}

bool DayHintPopup::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        if (watched == cell_)
            hide();
        break;
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::WindowDeactivate:
        hide(); // the cell or its window went away or moved
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
