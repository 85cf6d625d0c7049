// SPDX-License-Identifier: GPL-3.0-or-later
#include "Promotion.h"

#include "Errors.h"
#include "HttpClient.h"
#include "Logging.h"
#include "Platform.h"
#include "Text.h"
#include "WebPane.h"

#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace Promo {

void ScheduleMemo::setText(const QByteArray& text) {
    text_ = text;
    lines_.clear();
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) {
            lines_.append(text.mid(start));
            break;
        }
        const qsizetype next = end + 1;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines_.append(text.mid(start, end - start));
        start = next;
    }
}

QByteArray ScheduleMemo::line(std::int32_t index) const {
    if (index < 0 || index >= count())
        throw EVelmoraError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return lines_[index];
}

QByteArray LineField(const QByteArray& line, std::int32_t field) {
    const QByteArray s = Trim(line);
    const qsizetype first = s.indexOf('>');
    const QByteArray afterFirst = first < 0 ? s : s.mid(first + 1);
    switch (field) {
    case 0:
        return first < 0 ? QByteArray() : s.left(first);
    case 1: {
        const qsizetype second = afterFirst.indexOf('>');
        return second < 0 ? QByteArray() : afterFirst.left(second);
    }
    case 2: {
        const qsizetype second = afterFirst.indexOf('>');
        return Trim(second < 0 ? afterFirst : afterFirst.mid(second + 1));
    }
    default:
        return {};
    }
}

QByteArray ScheduleField(const ScheduleMemo& memo, std::int32_t field, std::int32_t line) {
    return LineField(memo.line(line), field);
}

std::int32_t IntervalMs(const QByteArray& seconds) {
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    if (seconds.isEmpty())
        return -1;
    std::int64_t ms = 0;
    for (const char c : seconds) {
        if (c < '0' || c > '9')
            return -1;
        ms = ms * 10 + (c - '0') * 1000;
        if (ms > limit)
            return -1;
    }
    return static_cast<std::int32_t>(ms);
}

QString DecodeAddress(const QByteArray& address) {
    return Platform::DecodeGbk(address);
}

void SetInterval(QTimer& timer, std::int32_t ms) {
    if (timer.interval() == ms)
        return;
    timer.setInterval(ms);
    if (ms == 0)
        timer.stop();
    else
        timer.start();
}

QString Server() {
    QString server = qEnvironmentVariable(ServerVariable);
    if (server.isEmpty())
        server = QString::fromLatin1(DefaultServer);
    while (server.endsWith(u'/'))
        server.chop(1);
    return server;
}

namespace {

// One switch character: "0" is off, "1" to "9" on; anything else is a failure.
std::int32_t SwitchAt(const QByteArray& document, qsizetype index) {
    if (document.size() <= index || document[index] < '0' || document[index] > '9')
        throw EVelmoraError(QStringLiteral("bad promotion switches"));
    return document[index] - '0';
}

void Hide(Platform::WebPane& pane, int top) {
    pane.setVisible(false);
    pane.setTop(top);
}

} // namespace

void StartUp(State& w, Platform::HttpClient& IdHTTP1, Platform::HttpClient& IdHTTP2, const QString& server) {
    StartUp(w, IdHTTP1, IdHTTP2, server, std::chrono::steady_clock::now() + StartUpBudget);
}

void StartUp(State& w, Platform::HttpClient& IdHTTP1, Platform::HttpClient& IdHTTP2, const QString& server,
             std::chrono::steady_clock::time_point deadline) {
    try {
        w.Memo1.setText(IdHTTP1.get(server + QLatin1String(SchedulePath), deadline));
        w.MainPaneOn = SwitchAt(IdHTTP2.get(server + QLatin1String(SwitchesPath), deadline), 0);
        w.TopPaneOn = SwitchAt(IdHTTP2.get(server + QLatin1String(SwitchesPath), deadline), 1);
    } catch (const std::exception& e) {
        // Advertising must not disturb the user: no message, both panes off.
        qCDebug(Platform::lcPromo, "start-up downloads from %s failed (%s): both panes off",
                qPrintable(server), e.what());
        w.MainPaneOn = 0;
        w.TopPaneOn = 0;
    }
    w.TopCursor = 0;
    w.MainCursor = 0;
    w.LastLine = w.Memo1.count() - 1;
    if (w.LastLine < 0) {
        qCDebug(Platform::lcPromo, "the schedule has no lines: both panes hidden");
        Hide(*w.EmbeddedWB1, HiddenMainPaneTop);
        Hide(*w.EmbeddedWB2, HiddenTopPaneTop);
    }
    if (w.MainPaneOn == 0) {
        qCDebug(Platform::lcPromo, "the main pane's switch is off: pane hidden");
        Hide(*w.EmbeddedWB1, HiddenMainPaneTop);
    }
    if (w.TopPaneOn == 0) {
        qCDebug(Platform::lcPromo, "the top pane's switch is off: pane hidden");
        Hide(*w.EmbeddedWB2, HiddenTopPaneTop);
    }
}

void Tick(State& w, Pane which) {
    const bool top = which == Pane::Top;
    const char* kind = top ? "1" : "0";
    const std::int32_t on = top ? w.TopPaneOn : w.MainPaneOn;
    std::int32_t& cursor = top ? w.TopCursor : w.MainCursor;
    Platform::WebPane& pane = top ? *w.EmbeddedWB2 : *w.EmbeddedWB1;
    QTimer& timer = top ? w.Timer1 : w.Timer2;

    if (on == 0 || Trim(w.Memo1.text()).isEmpty())
        return;
    // An entry whose interval is unusable or whose address is not a web page is downloaded
    // content we cannot show safely; the scan passes over it as over a line of another kind.
    for (std::int32_t i = std::max(cursor, 0); i <= w.LastLine; ++i) {
        const QByteArray line = w.Memo1.line(i);
        if (LineField(line, 0) != kind)
            continue;
        const std::int32_t ms = IntervalMs(LineField(line, 1));
        const QString address = DecodeAddress(LineField(line, 2));
        if (ms < 0 || !Platform::IsWebAddress(address)) {
            qCDebug(Platform::lcPromo, "schedule line %d passed over: %s", i,
                    ms < 0 ? "bad interval" : "not a web address");
            continue;
        }
        cursor = i;
        pane.navigate(address);
        SetInterval(timer, ms);
        cursor = i + 1 > w.LastLine ? 0 : i + 1;
        return;
    }
}

} // namespace Promo
