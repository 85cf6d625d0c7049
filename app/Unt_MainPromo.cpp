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

void TFrmmain::FormCreate() {
    Platform::WebPaneFactory& panes = Platform::services().webPanes();
    promo_.EmbeddedWB1 = panes.createPane(PanePlace(this, "EmbeddedWB1"));
    promo_.EmbeddedWB2 = panes.createPane(PanePlace(this, "EmbeddedWB2"));

    // The timers run from the window's creation, so the first pages load 1 s after it, or as soon as
    // the downloads are over when they took longer.
    connect(&promo_.Timer1, &QTimer::timeout, this, Platform::Guarded([this] { Timer1Timer(); }));
    connect(&promo_.Timer2, &QTimer::timeout, this, Platform::Guarded([this] { Timer2Timer(); }));
    promo_.Timer1.start(1000);
    promo_.Timer2.start(1000);

    // The schedule and the switches come over the program's HTTP client (IdHTTP1 and IdHTTP2 alike).
    Platform::HttpClient& http = Platform::services().http();
    Promo::StartUp(promo_, http, http, Promo::Server());

    // A switched-on pane gets its browser view now, before the window is first shown: made later,
    // the view would make Qt re-create the shown window's native window (it blinks and takes the
    // focus). With both panes off nothing of the web engine is loaded.
    for (Platform::WebPane* pane : {promo_.EmbeddedWB1.get(), promo_.EmbeddedWB2.get()})
        if (pane->visible())
            pane->prepare();
}

void TFrmmain::Timer1Timer() {
    Promo::Tick(promo_, Promo::Pane::Top);
}

void TFrmmain::Timer2Timer() {
    Promo::Tick(promo_, Promo::Pane::Main);
}

QByteArray TFrmmain::ScheduleField(std::int32_t field, std::int32_t line) const {
    return Promo::ScheduleField(promo_.Memo1, field, line);
}
