// SPDX-License-Identifier: GPL-3.0-or-later
// The promotion panes' logic, apart from the window so that it can be driven on its own: the
// schedule holder, schedule line fields, the start-up downloads and the rotation tick. The main
// window (app/Unt_MainPromo.cpp) owns one State, the state these functions work on.
#pragma once

#include "Text.h"
#include "WebPane.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>

namespace Platform {
class HttpClient;
} // namespace Platform

namespace Promo {

inline constexpr char DefaultServer[] = "http://www.velmora.example";
inline constexpr char ServerVariable[] = "VELMORA_PROMO_SERVER";
inline constexpr char SchedulePath[] = "/Chinese/CPC/loginfo.html";
inline constexpr char SwitchesPath[] = "/Chinese/SysInfo/logFlagfee.htm";
inline constexpr int HiddenTopPaneTop = -200;   // wholly above the banner panel
inline constexpr int HiddenMainPaneTop = -1000; // wholly above the main panel

// The hidden holder of the schedule: 8-bit text, split into lines at CR LF and at a lone LF. A final
// line break does not start another line. Long lines are kept whole.
class ScheduleMemo {
public:
    void setText(const QByteArray& text);
    const QByteArray& text() const { return text_; }
    std::int32_t count() const { return static_cast<std::int32_t>(lines_.size()); }
    QByteArray line(std::int32_t index) const; // throws EVelmoraError when out of range

private:
    QByteArray text_;
    QByteArrayList lines_;
};

// Removes every leading and trailing byte whose code is 32 or less.
using Platform::Trim;

// Field 0 (kind), 1 (seconds) or 2 (address) of a schedule line "kind>seconds>address". The line
// is trimmed first and the address afterwards; kind and seconds are taken exactly as they stand.
QByteArray LineField(const QByteArray& line, std::int32_t field);
QByteArray ScheduleField(const ScheduleMemo& memo, std::int32_t field, std::int32_t line);

// The seconds field as milliseconds, or -1 when it is not a plain decimal number of seconds whose
// milliseconds fit in 32 bits (0 … 2147483 s).
std::int32_t IntervalMs(const QByteArray& seconds);

// Schedule addresses are 8-bit text in the program's code page; a broken sequence shows U+FFFD.
QString DecodeAddress(const QByteArray& address);

// A new interval restarts the count, 0 stops the timer, and the interval it already has changes nothing.
void SetInterval(QTimer& timer, std::int32_t ms);

// The server from VELMORA_PROMO_SERVER, or the maker's; without a trailing "/".
QString Server();

// The promotion state of the main window, which owns one; its fields keep the window's names.
struct State {
    ScheduleMemo Memo1; // the schedule; the form's Memo1 widget only keeps its place, hidden
    std::int32_t TopCursor = 0;
    std::int32_t MainCursor = 0;
    std::int32_t LastLine = 0;
    std::int32_t MainPaneOn = 0;
    std::int32_t TopPaneOn = 0;
    std::unique_ptr<Platform::WebPane> EmbeddedWB2; // top pane, over the form's EmbeddedWB2 placeholder
    std::unique_ptr<Platform::WebPane> EmbeddedWB1; // main pane, over the form's EmbeddedWB1 placeholder
    QTimer Timer1;                                  // top pane's timer
    QTimer Timer2;                                  // main pane's timer
};

enum class Pane { Top, Main };

// The three start-up requests together may take this long (each one also has the client's own
// limit), so that whatever the server does the main window shows within 6 s of the start.
inline constexpr std::chrono::milliseconds StartUpBudget{4500};

// Downloads the schedule and the switches from server, then hides the panes with nothing to show.
// Failures are not reported: they leave both switches off. A request that would end after the
// deadline fails; the first form gives the requests StartUpBudget from now.
void StartUp(State& w, Platform::HttpClient& IdHTTP1, Platform::HttpClient& IdHTTP2, const QString& server);
void StartUp(State& w, Platform::HttpClient& IdHTTP1, Platform::HttpClient& IdHTTP2, const QString& server,
             std::chrono::steady_clock::time_point deadline);

// One rotation step of a pane: shows its next entry and sets its timer to that entry's interval.
void Tick(State& w, Pane pane);

} // namespace Promo
