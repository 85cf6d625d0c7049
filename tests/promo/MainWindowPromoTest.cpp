// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's promotion members as the program runs them: FormCreate from the window's
// constructor against a loopback server, then the tick handlers.
#include "BrowserChildren.h"
#include "LoopbackServer.h"

#include "Fakes.h"
#include "Platform.h"
#include "Unt_Main.h"
#include "WebEnginePane.h"

#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

class MainWindowPromoTest : public testing::Test {
protected:
    void TearDown() override { qunsetenv(Promo::ServerVariable); }
    std::shared_ptr<FakeErrorBox> errors = std::make_shared<FakeErrorBox>();
    Platform::ScopedService<Platform::ErrorBox> scoped{errors};
};

// Runs first in a process of its own: no network must mean no browser process.
TEST_F(MainWindowPromoTest, A_RefusedServerHidesBothPanesQuietly) {
    qputenv(Promo::ServerVariable,
            QStringLiteral("http://127.0.0.1:%1").arg(LoopbackServer::RefusedPort()).toLatin1());
    TFrmmain w;
    w.show();
    w.Timer1Timer();
    w.Timer2Timer();
    QCoreApplication::processEvents();
    auto* top = w.findChild<QWidget*>(QStringLiteral("EmbeddedWB2"));
    auto* main = w.findChild<QWidget*>(QStringLiteral("EmbeddedWB1"));
    ASSERT_TRUE(top && main);
    EXPECT_TRUE(top->isHidden());
    EXPECT_EQ(top->y(), -200);
    EXPECT_TRUE(main->isHidden());
    EXPECT_EQ(main->y(), -1000);
    EXPECT_EQ(w.promotion().LastLine, -1);
    EXPECT_EQ(BrowserChildren(), 0);
    EXPECT_TRUE(errors->shown.isEmpty());
}

TEST_F(MainWindowPromoTest, GoodServerRotatesThePanes) {
    quint16 port = 0;
    LoopbackServer server([&](const QByteArray& path, int) {
        const QByteArray base = "http://127.0.0.1:" + QByteArray::number(port);
        if (path == "/Chinese/CPC/loginfo.html")
            return LoopbackServer::Reply(200, "1>7>" + base + "/top\r\n0>5>file:///etc/passwd\r\n0>0>" +
                                                  base + "/main > all\r\n");
        if (path == "/Chinese/SysInfo/logFlagfee.htm")
            return LoopbackServer::Reply(200, "11");
        // Every page tries to open a window of its own.
        return LoopbackServer::Reply(200, "<title>" + path.mid(1) +
                                              "</title><script>window.open('/popup')</script>");
    });
    port = server.port();
    qputenv(Promo::ServerVariable, server.base().toLatin1());

    TFrmmain w;
    EXPECT_EQ(server.requests().size(), 3u);
    EXPECT_EQ(w.promotion().MainPaneOn, 1);
    EXPECT_EQ(w.promotion().TopPaneOn, 1);
    EXPECT_EQ(w.promotion().LastLine, 2);
    EXPECT_EQ(w.ScheduleField(2, 2), "http://127.0.0.1:" + QByteArray::number(port) + "/main > all");
    EXPECT_TRUE(w.promotion().Timer1.isActive() && w.promotion().Timer2.isActive());
    EXPECT_EQ(w.promotion().Timer1.interval(), 1000);
    w.show();

    // The views are made in the pane's place; the one that shows the page is named PaneView.
    auto loadTitle = [&w](const char* place, const QString& title) {
        auto* p = w.findChild<QWidget*>(QLatin1String(place));
        QWebEngineView* view = nullptr;
        (void)QTest::qWaitFor(
            [&] {
                view = p->findChild<QWebEngineView*>(QStringLiteral("PaneView"));
                return view && view->title() == title;
            },
            30000);
        return view ? view->title() : QStringLiteral("(nothing shown)");
    };
    w.Timer1Timer();
    EXPECT_EQ(loadTitle("EmbeddedWB2", QStringLiteral("top")), QStringLiteral("top"));
    EXPECT_EQ(w.promotion().Timer1.interval(), 7000);
    EXPECT_EQ(w.promotion().TopCursor, 1);

    w.Timer2Timer(); // passes over the file: line; seconds 0 keeps this page
    EXPECT_EQ(loadTitle("EmbeddedWB1", QStringLiteral("main%20%3E%20all")), // the whole address
              QStringLiteral("main%20%3E%20all"));
    EXPECT_FALSE(w.promotion().Timer2.isActive());
    EXPECT_EQ(w.promotion().MainCursor, 0);

    EXPECT_GT(BrowserChildren(), 0);
    for (const QByteArray& head : server.requests())
        EXPECT_FALSE(head.startsWith("GET /popup")) << head.toStdString();
    EXPECT_TRUE(errors->shown.isEmpty());
}

TEST(WebEnginePaneTest, OnlyWebAddressesLoad) {
    QWidget place;
    Platform::WebEnginePane pane(&place);
    for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "data:text/html,x"})
        pane.navigate(QString::fromLatin1(address));
    EXPECT_EQ(pane.view(), nullptr);
}

} // namespace
