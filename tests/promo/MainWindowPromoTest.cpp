// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's promotion members as the program runs them: FormCreate from the window's
// constructor against a loopback server, then the tick handlers.
#include "BrowserChildren.h"
#include "LoopbackServer.h"

#include "Fakes.h"
#include "PaneBudget.h"
#include "Platform.h"
#include "Unt_Main.h"
#include "WebEnginePane.h"

#include <QProcess>
#include <QSignalSpy>
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

    // Named for screen readers; a frame marks the pane that has the keyboard.
    for (const auto& [place, name] :
         {std::pair{"EmbeddedWB2", "横幅推广网页"}, std::pair{"EmbeddedWB1", "推广网页"}}) {
        auto* view = w.findChild<QWidget*>(QLatin1String(place))->findChild<QWebEngineView*>();
        ASSERT_TRUE(view);
        EXPECT_EQ(view->accessibleName(), QString::fromUtf8(name));
        auto* frame = view->findChild<QWidget*>(QStringLiteral("PaneFocusFrame"));
        ASSERT_TRUE(frame);
        w.activateWindow();
        view->setFocus();
        QCoreApplication::processEvents();
        EXPECT_TRUE(frame->isVisible()) << place;
        w.findChild<QWidget*>(QStringLiteral("RzButton1"))->setFocus();
        QCoreApplication::processEvents();
        EXPECT_FALSE(frame->isVisible()) << place;
    }

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

// The budget on processes that do what a hostile page's renderer does, with a short window.
struct BudgetRow {
    const char* name;
    const char* script; // run by python3
    const char* why;    // what the report must name; null: never over
};

class PaneBudgetTest : public testing::TestWithParam<BudgetRow> {};

TEST_P(PaneBudgetTest, StopsWhatGoesOver) {
    const BudgetRow& r = GetParam();
    QProcess child;
    child.start(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromLatin1(r.script)});
    ASSERT_TRUE(child.waitForStarted(5000));
    Platform::Web::PaneBudget::Limits limits;
    limits.rendererBytes = qint64(256) << 20;
    limits.windowMs = 2000;
    limits.hostGrowthBytes = qint64(1) << 40; // this test process is not the subject
    Platform::Web::PaneBudget budget(limits, nullptr);
    QSignalSpy exceeded(&budget, &Platform::Web::PaneBudget::exceeded);
    budget.watch(child.processId());
    const bool over = exceeded.wait(4000);
    child.kill();
    child.waitForFinished(5000);
    ASSERT_EQ(over, r.why != nullptr);
    if (over) {
        EXPECT_TRUE(exceeded.first().first().toString().contains(QLatin1String(r.why)))
            << qPrintable(exceeded.first().first().toString());
        EXPECT_EQ(exceeded.size(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PaneBudgetTest,
    testing::Values(
        BudgetRow{"Idle", "import time; time.sleep(30)", nullptr},
        BudgetRow{"Loop", "while True: pass", "CPU"},
        // 32 MiB written every 0.1 s: the kernel's backstop would end it only well over the budget
        BudgetRow{"Allocates",
                  "import time\nheld = []\nwhile True:\n"
                  "    held.append(bytearray(b'x') * (32 << 20)); time.sleep(0.1)",
                  "memory"}),
    [](const testing::TestParamInfo<BudgetRow>& info) { return std::string(info.param.name); });

} // namespace
