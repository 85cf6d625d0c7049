// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's promotion members: start-up downloads and the two rotating web panes.
#include "Unt_Main.h"

#include "Errors.h"
#include "HttpClient.h"
#include "Platform.h"
#include "WebPane.h"

namespace {

QWidget* PanePlace(QWidget* window, const char* name) {
    auto* place = window->findChild<QWidget*>(QLatin1String(name));
    if (!place)
        throw EVelmoraError(QStringLiteral("the main window has no %1").arg(QLatin1String(name)));
    return place;
}

} // namespace

Promo::Window TFrmmain::PromoWindow() {
    return {Memo1,     TopCursor,    MainCursor,   LastLine, MainPaneOn,
            TopPaneOn, *EmbeddedWB2, *EmbeddedWB1, Timer1,   Timer2};
}

void TFrmmain::FormCreate() {
    Platform::WebPaneFactory& panes = Platform::services().webPanes();
    EmbeddedWB1 = panes.createPane(PanePlace(this, "EmbeddedWB1"));
    EmbeddedWB2 = panes.createPane(PanePlace(this, "EmbeddedWB2"));

    // The timers run from the window's creation, so the first pages load 1 s after it, or as soon as
    // the downloads are over when they took longer.
    connect(&Timer1, &QTimer::timeout, this, Platform::Guarded([this] { Timer1Timer(); }));
    connect(&Timer2, &QTimer::timeout, this, Platform::Guarded([this] { Timer2Timer(); }));
    Timer1.start(1000);
    Timer2.start(1000);

    Promo::Window w = PromoWindow();
    // The schedule and the switches come over the program's HTTP client (IdHTTP1 and IdHTTP2 alike).
    Platform::HttpClient& http = Platform::services().http();
    Promo::StartUp(w, http, http, Promo::Server());

    // A switched-on pane gets its browser view now, before the window is first shown: made later,
    // the view would make Qt re-create the shown window's native window (it blinks and takes the
    // focus). With both panes off nothing of the web engine is loaded.
    for (Platform::WebPane* pane : {EmbeddedWB1.get(), EmbeddedWB2.get()})
        if (pane->visible())
            pane->prepare();
}

void TFrmmain::Timer1Timer() {
    Promo::Window w = PromoWindow();
    Promo::Tick(w, Promo::Pane::Top);
}

void TFrmmain::Timer2Timer() {
    Promo::Window w = PromoWindow();
    Promo::Tick(w, Promo::Pane::Main);
}

QByteArray TFrmmain::ScheduleField(std::int32_t field, std::int32_t line) const {
    return Promo::ScheduleField(Memo1, field, line);
}
