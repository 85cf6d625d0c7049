// SPDX-License-Identifier: GPL-3.0-or-later
// What the promotion targets share: a fake HTTP client that serves fixed answers, fake panes and
// the window's fields, and an application object for the timers.
#pragma once

#include "Errors.h"
#include "HttpClient.h"
#include "Platform.h"
#include "Promotion.h"
#include "WebPane.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>
#include <vector>

struct FakeHttp final : Platform::HttpClient {
    std::vector<QByteArray> answers; // one per request; past the end, a failure
    std::size_t next = 0;
    QByteArray get(const QString&, Deadline) override {
        if (next >= answers.size())
            throw EVelmoraError(QStringLiteral("no answer"));
        return answers[next++];
    }
};

struct FakePane final : Platform::WebPane {
    void navigate(const QString& address) override {
        if (!Platform::IsWebAddress(address))
            std::abort(); // a pane must only ever be told to load a web page
        ++navigations;
    }
    bool visible() const override { return visible_; }
    void setVisible(bool on) override { visible_ = on; }
    int top() const override { return top_; }
    void setTop(int y) override { top_ = y; }
    int navigations = 0;
    bool visible_ = true;
    int top_ = 0;
};

inline FakePane& Install(std::unique_ptr<Platform::WebPane>& slot) {
    auto pane = std::make_unique<FakePane>();
    FakePane& installed = *pane;
    slot = std::move(pane);
    return installed;
}

// The main window's promotion state, with every field set to what start-up must overwrite.
struct PromoRig {
    Promo::State w;
    FakePane& top = Install(w.EmbeddedWB2);
    FakePane& main = Install(w.EmbeddedWB1);
    Promo::ScheduleMemo& memo = w.Memo1;
    std::int32_t &topCursor = w.TopCursor, &mainCursor = w.MainCursor, &lastLine = w.LastLine;
    std::int32_t &mainOn = w.MainPaneOn, &topOn = w.TopPaneOn;
    QTimer &timer1 = w.Timer1, &timer2 = w.Timer2;
    PromoRig() { topCursor = mainCursor = lastLine = mainOn = topOn = -7; }
};

inline void InitPromoFuzz() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond))                                                                                         \
            std::abort();                                                                                    \
    } while (0)
