// SPDX-License-Identifier: GPL-3.0-or-later
// A pane against a loopback server that fails in each way a page can: whatever comes back, the
// pane keeps the page it showed before, or shows nothing over its picture before its first page.
#include "LoopbackServer.h"

#include "WebEnginePane.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <functional>

namespace {

using Platform::WebEnginePane;

QByteArray Page(const QByteArray& title) {
    return "<html><head><title>" + title + "</title></head><body>" + title + "</body></html>";
}

QByteArray RandomBytes(int size) {
    QByteArray bytes(size, '\0');
    QRandomGenerator gen(20);
    for (char& c : bytes)
        c = static_cast<char>(gen.bounded(256));
    return bytes;
}

struct Failure {
    const char* name;
    std::function<LoopbackServer::Answer()> answer; // null: the address is refused
};

class PaneFailure : public testing::TestWithParam<Failure> {
protected:
    PaneFailure()
        : server_([this](const QByteArray& path, int) {
              if (path == "/bad" && GetParam().answer)
                  return GetParam().answer();
              return LoopbackServer::Reply(200, Page(path.mid(1)), "Content-Type: text/html\r\n");
          }) {
        place_.resize(400, 120);
        place_.show();
    }

    QString address(const char* path) const {
        if (QByteArray(path) == "/bad" && !GetParam().answer)
            return QStringLiteral("http://127.0.0.1:%1/bad").arg(LoopbackServer::RefusedPort());
        return server_.base() + QLatin1String(path);
    }

    // Navigates and waits for the load's end; true when the page took the pane.
    bool load(const char* path) {
        QSignalSpy settled(&pane_, &WebEnginePane::settled);
        pane_.navigate(address(path));
        if (!settled.wait(30000)) {
            ADD_FAILURE() << "no end to the load of " << path;
            return false;
        }
        return settled.first().at(1).toBool();
    }

    LoopbackServer server_;
    QWidget place_;
    WebEnginePane pane_{&place_};
};

TEST_P(PaneFailure, KeepsWhatItShowedBefore) {
    EXPECT_FALSE(load("/bad"));
    EXPECT_EQ(pane_.view(), nullptr); // the picture behind still shows

    ASSERT_TRUE(load("/good"));
    QWebEngineView* good = pane_.view();
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->title(), QStringLiteral("good"));

    EXPECT_FALSE(load("/bad"));
    EXPECT_EQ(pane_.view(), good);
    EXPECT_EQ(good->title(), QStringLiteral("good"));
    EXPECT_EQ(good->geometry(), place_.rect());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(place_.findChildren<QWebEngineView*>().size(), 1) << "the failed page is gone";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PaneFailure,
    testing::Values(
        Failure{"Refused", nullptr},
        Failure{"Status500",
                [] { return LoopbackServer::Reply(500, Page("error"), "Content-Type: text/html\r\n"); }},
        Failure{"Status404Untyped", [] { return LoopbackServer::Reply(404, "Not Found"); }},
        Failure{"GarbageAsHtml",
                [] { return LoopbackServer::Reply(200, RandomBytes(65536), "Content-Type: text/html\r\n"); }},
        Failure{"GarbageUntyped", [] { return LoopbackServer::Reply(200, RandomBytes(65536)); }},
        Failure{"PlainText",
                [] { return LoopbackServer::Reply(200, "not a page", "Content-Type: text/plain\r\n"); }},
        Failure{"Oversized",
                [] {
                    QByteArray body = "<html><body>";
                    while (body.size() < 3 * 1024 * 1024)
                        body += "<p>" + QByteArray(60, 'x') + "</p>\n";
                    return LoopbackServer::Reply(200, body + "</body></html>", "Content-Type: text/html\r\n");
                }}),
    [](const testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

// The shown page's renderer is killed: the pane loads its address again, unless it was given up.
class PaneRenderer : public testing::TestWithParam<bool> {};

TEST_P(PaneRenderer, KilledRendererReloadsUnlessAbandoned) {
    const bool abandoned = GetParam();
    std::atomic<int> loads{0};
    LoopbackServer server([&](const QByteArray& path, int) {
        loads += path == "/good";
        return LoopbackServer::Reply(200, Page("good"), "Content-Type: text/html\r\n");
    });
    QWidget place;
    place.resize(400, 120);
    place.show();
    WebEnginePane pane(&place);
    QSignalSpy settled(&pane, &WebEnginePane::settled);
    const QString url = server.base() + QStringLiteral("/good");
    pane.navigate(url);
    ASSERT_TRUE(settled.wait(30000));
    ASSERT_NE(pane.view(), nullptr);
    const qint64 pid = pane.view()->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    QSignalSpy ended(pane.view()->page(), &QWebEnginePage::renderProcessTerminated);
    if (abandoned)
        pane.abandon(QUrl(url));
    ::kill(static_cast<pid_t>(pid), SIGKILL);

    if (abandoned) {
        EXPECT_EQ(pane.view(), nullptr);
        pane.navigate(url);
        QTest::qWait(1000);
        EXPECT_EQ(loads, 1);
        EXPECT_EQ(pane.view(), nullptr);
        return;
    }
    ASSERT_TRUE(ended.wait(30000));
    ASSERT_TRUE(settled.size() > 1 || settled.wait(30000)) << "no reload";
    EXPECT_TRUE(settled.last().at(1).toBool());
    EXPECT_EQ(loads, 2);
    ASSERT_NE(pane.view(), nullptr);
    EXPECT_EQ(pane.view()->title(), QStringLiteral("good"));
    EXPECT_TRUE(pane.view()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Rows, PaneRenderer, testing::Bool(), [](const testing::TestParamInfo<bool>& info) {
    return info.param ? "Abandoned" : "Shown";
});

} // namespace
