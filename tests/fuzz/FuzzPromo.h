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

struct PromoRig {
    Promo::ScheduleMemo memo;
    std::int32_t topCursor = -7, mainCursor = -7, lastLine = -7, mainOn = -7, topOn = -7;
    FakePane top, main;
    QTimer timer1, timer2;
    Promo::Window w{memo, topCursor, mainCursor, lastLine, mainOn, topOn, top, main, timer1, timer2};
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
