// SPDX-License-Identifier: GPL-3.0-or-later
// The promotion logic with a fake pane: schedule lines, the start-up downloads against a loopback
// server through the real HTTP client, and the rotation ticks.
#include "LoopbackServer.h"

#include "CurlHttpClient.h"
#include "Errors.h"
#include "Fakes.h"
#include "Promotion.h"
#include "WebPane.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using Promo::Pane;

namespace {

// The main window's promotion state, with fake panes and real (never dispatched) timers.
FakeWebPane& Install(std::unique_ptr<Platform::WebPane>& slot) {
    auto pane = std::make_unique<FakeWebPane>();
    FakeWebPane& installed = *pane;
    slot = std::move(pane);
    return installed;
}

struct Rig {
    Promo::State w;
    FakeWebPane& top = Install(w.EmbeddedWB2);
    FakeWebPane& main = Install(w.EmbeddedWB1);
    Promo::ScheduleMemo& memo = w.Memo1;
    std::int32_t &topCursor = w.TopCursor, &mainCursor = w.MainCursor, &lastLine = w.LastLine;
    std::int32_t &mainOn = w.MainPaneOn, &topOn = w.TopPaneOn;
    QTimer &timer1 = w.Timer1, &timer2 = w.Timer2;

    Rig() {
        top.y = main.y = 2;
        timer1.start(1000);
        timer2.start(1000);
    }
    // Start-up with a schedule and switches handed over directly.
    void start(const QByteArray& schedule, int mainSwitch, int topSwitch) {
        memo.setText(schedule);
        mainOn = mainSwitch;
        topOn = topSwitch;
        lastLine = memo.count() - 1;
    }
};

QString Url(int n) {
    return QStringLiteral("http://ads.test/%1").arg(n);
}

// ---- schedule lines ----

struct FieldRow {
    const char* line;
    const char* kind;
    const char* seconds;
    const char* address;
};

class ScheduleFieldTest : public testing::TestWithParam<FieldRow> {};

TEST_P(ScheduleFieldTest, SplitsLikeTheScheduleReader) {
    const FieldRow& r = GetParam();
    Promo::ScheduleMemo memo;
    memo.setText(QByteArray("other\r\n") + r.line + "\r\n");
    EXPECT_EQ(Promo::ScheduleField(memo, 0, 1), QByteArray(r.kind));
    EXPECT_EQ(Promo::ScheduleField(memo, 1, 1), QByteArray(r.seconds));
    EXPECT_EQ(Promo::ScheduleField(memo, 2, 1), QByteArray(r.address));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScheduleFieldTest,
    testing::Values(FieldRow{"1>10>http://a/", "1", "10", "http://a/"},
                    FieldRow{"  \t1>10> http://a/ \t", "1", "10", "http://a/"}, // line and address trimmed
                    FieldRow{"1 > 10 >http://a/", "1 ", " 10 ", "http://a/"},   // kind and seconds are not
                    FieldRow{"1>5>http://a/?x=1>2>3", "1", "5", "http://a/?x=1>2>3"},
                    FieldRow{"no separator", "", "", "no separator"},
                    FieldRow{"1>http://a/", "1", "", "http://a/"}, // a single ">"
                    FieldRow{"", "", "", ""}, FieldRow{">>", "", "", ""},
                    FieldRow{"0>3>\xB4\xBA\xBD\xDA", "0", "3", "\xB4\xBA\xBD\xDA"}));

TEST(ScheduleMemoTest, SplitsAtCrLfAndLoneLf) {
    struct Row {
        QByteArray text;
        QByteArrayList lines;
    };
    const Row rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\rb\r\nc", {"a\rb", "c"}},                     // a lone CR is no line break
        {QByteArray(5000, 'x'), {QByteArray(5000, 'x')}}, // no wrapping
    };
    for (const Row& r : rows) {
        Promo::ScheduleMemo memo;
        memo.setText(r.text);
        EXPECT_EQ(memo.text(), r.text);
        ASSERT_EQ(memo.count(), r.lines.size()) << r.text.left(20).toStdString();
        for (int i = 0; i < memo.count(); ++i)
            EXPECT_EQ(memo.line(i), r.lines[i]);
    }
    Promo::ScheduleMemo memo;
    memo.setText("a");
    EXPECT_THROW(memo.line(1), EVelmoraError);
    EXPECT_THROW(memo.line(-1), EVelmoraError);
}

TEST(IntervalTest, OnlyPlainSecondsThatFitInMilliseconds) {
    EXPECT_EQ(Promo::IntervalMs("0"), 0);
    EXPECT_EQ(Promo::IntervalMs("15"), 15000);
    EXPECT_EQ(Promo::IntervalMs("007"), 7000);
    EXPECT_EQ(Promo::IntervalMs("2147483"), 2147483000);
    for (const char* bad : {"", " 5", "5 ", "-1", "+5", "1e3", "0x10", "2147484", "99999999999999999999"})
        EXPECT_EQ(Promo::IntervalMs(bad), -1) << bad;
}

// ---- start-up downloads ----

struct DownloadRow {
    const char* name;
    // answer for the schedule, the first and the second switches request
    std::function<LoopbackServer::Answer(int)> answer;
    int mainOn, topOn;
    bool scheduleKept;
};

const QByteArray Schedule = "1>5>http://ads.test/top\r\n0>5>http://ads.test/main\r\n";

LoopbackServer::Answer Ok(const QByteArray& body) {
    return LoopbackServer::Reply(200, body);
}

std::function<LoopbackServer::Answer(int)> Serve(QByteArray first, QByteArray second) {
    return [=](int i) { return Ok(i == 0 ? Schedule : i == 1 ? first : second); };
}
std::function<LoopbackServer::Answer(int)> ScheduleFails(LoopbackServer::Answer a) {
    return [=](int i) { return i == 0 ? a : Ok("11"); };
}

class DownloadTest : public testing::TestWithParam<DownloadRow> {};

TEST_P(DownloadTest, SwitchesAndPanes) {
    const DownloadRow& r = GetParam();
    LoopbackServer server([&](const QByteArray&, int i) { return r.answer(i); });
    Rig rig;
    Platform::CurlHttpClient http;
    Promo::StartUp(rig.w, http, http, server.base());

    EXPECT_EQ(rig.mainOn, r.mainOn);
    EXPECT_EQ(rig.topOn, r.topOn);
    EXPECT_EQ(rig.memo.text(), r.scheduleKept ? Schedule : QByteArray());
    EXPECT_EQ(rig.lastLine, r.scheduleKept ? 1 : -1);
    EXPECT_EQ(rig.main.visible(), r.mainOn != 0);
    EXPECT_EQ(rig.main.top(), r.mainOn != 0 ? 2 : Promo::HiddenMainPaneTop);
    EXPECT_EQ(rig.top.visible(), r.topOn != 0);
    EXPECT_EQ(rig.top.top(), r.topOn != 0 ? 2 : Promo::HiddenTopPaneTop);
    EXPECT_TRUE(rig.main.navigations.empty() && rig.top.navigations.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, DownloadTest,
    testing::Values(
        DownloadRow{"BothOn", Serve("11", "11"), 1, 1, true},
        DownloadRow{"EachSwitchFromItsOwnRequest", Serve("19", "01"), 1, 1, true},
        DownloadRow{"MainOnly", Serve("10", "10"), 1, 0, true},
        DownloadRow{"TopOnly", Serve("01xyz", "01xyz"), 0, 1, true},
        DownloadRow{"OneCharacter", Serve("1", "1"), 0, 0, true},
        DownloadRow{"NonDigitSwitch", Serve("1x", "1x"), 0, 0, true},
        DownloadRow{"EmptySwitches", Serve("", ""), 0, 0, true},
        DownloadRow{"BinarySwitches", Serve(QByteArray("\x00\xff\x80", 3), QByteArray("\x00\xff\x80", 3)), 0,
                    0, true},
        DownloadRow{"Redirect", ScheduleFails(LoopbackServer::Reply(302, "", "Location: /x\r\n")), 0, 0,
                    false},
        DownloadRow{
            "Unauthorised",
            ScheduleFails(LoopbackServer::Reply(401, "no", "WWW-Authenticate: Basic realm=\"x\"\r\n")), 0, 0,
            false},
        DownloadRow{"NotFound", ScheduleFails(LoopbackServer::Reply(404, "gone")), 0, 0, false},
        DownloadRow{"ServerError", ScheduleFails(LoopbackServer::Reply(500, "oops")), 0, 0, false},
        DownloadRow{"SwitchesNotFound",
                    [](int i) { return i == 0 ? Ok(Schedule) : LoopbackServer::Reply(404, "11"); }, 0, 0,
                    true},
        DownloadRow{"TwoMegabytes", ScheduleFails(Ok(QByteArray(2 * 1024 * 1024, 'a'))), 0, 0, false},
        DownloadRow{"GarbageInsteadOfHttp",
                    ScheduleFails({QByteArray("\x89PNG\r\n\x1a\n\x00\x00garbage\xff\xfe", 20), false}), 0, 0,
                    false}),
    [](const testing::TestParamInfo<DownloadRow>& info) { return std::string(info.param.name); });

TEST(DownloadTest, RequestsInOrderWithTheFixedHeaders) {
    LoopbackServer server([](const QByteArray&, int i) { return Ok(i == 0 ? Schedule : "11"); });
    Rig rig;
    Platform::CurlHttpClient http;
    Promo::StartUp(rig.w, http, http, server.base());
    const auto heads = server.requests();
    ASSERT_EQ(heads.size(), 3u);
    EXPECT_TRUE(heads[0].startsWith("GET /Chinese/CPC/loginfo.html HTTP/1.1\r\n"));
    for (int i : {1, 2})
        EXPECT_TRUE(heads[i].startsWith("GET /Chinese/SysInfo/logFlagfee.htm HTTP/1.1\r\n"));
    for (const QByteArray& h : heads) {
        EXPECT_TRUE(h.contains("\r\nAccept: text/html, */*\r\n"));
        EXPECT_TRUE(h.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
        EXPECT_TRUE(h.contains("\r\nContent-Type: text/html\r\n"));
    }
}

TEST(DownloadTest, FirstFailureEndsTheDownloads) {
    LoopbackServer server([](const QByteArray&, int i) { return i == 1 ? Ok("x1") : Ok(Schedule); });
    Rig rig;
    Platform::CurlHttpClient http;
    Promo::StartUp(rig.w, http, http, server.base());
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(rig.mainOn, 0);
    EXPECT_EQ(rig.topOn, 0);
}

TEST(DownloadTest, NoServerHidesBothPanes) {
    Platform::CurlHttpClient http;
    for (const QString& server :
         {QStringLiteral("http://127.0.0.1:%1").arg(LoopbackServer::RefusedPort()),
          // a server name that fails before any look-up: no DNS query leaves the machine
          QStringLiteral("http://no such host")}) {
        Rig rig;
        Promo::StartUp(rig.w, http, http, server);
        EXPECT_EQ(rig.lastLine, -1) << server.toStdString();
        EXPECT_FALSE(rig.main.visible());
        EXPECT_FALSE(rig.top.visible());
    }
}

TEST(DownloadTest, SilentServerEndsAtTheTimeOut) {
    LoopbackServer server([](const QByteArray&, int) { return LoopbackServer::Silent(); });
    Rig rig;
    Platform::CurlHttpClient http;
    Promo::StartUp(rig.w, http, http, server.base(),
                   std::chrono::steady_clock::now() + std::chrono::milliseconds(300));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_FALSE(rig.main.visible());
}

// A server that answers every request late, each within the client's own limit: the three
// requests share one deadline, and the one that would end after it fails.
TEST(DownloadTest, SlowAnswersShareOneDeadline) {
    LoopbackServer server([](const QByteArray&, int i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return Ok(i == 0 ? Schedule : "11");
    });
    Rig rig;
    Platform::CurlHttpClient http;
    Promo::StartUp(rig.w, http, http, server.base(),
                   std::chrono::steady_clock::now() + std::chrono::milliseconds(1000));
    EXPECT_GE(server.requests().size(), 2u);
    EXPECT_EQ(rig.memo.text(), Schedule); // the first answer came in time
    EXPECT_EQ(rig.mainOn, 0);
    EXPECT_EQ(rig.topOn, 0);
    EXPECT_FALSE(rig.main.visible());
    EXPECT_FALSE(rig.top.visible());
}

TEST(HttpClientTest, APassedDeadlineFailsWithoutARequest) {
    LoopbackServer server([](const QByteArray&, int) { return Ok("11"); });
    Platform::CurlHttpClient http;
    EXPECT_THROW(http.get(server.base() + "/x", std::chrono::steady_clock::now()), EVelmoraError);
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(http.get(server.base() + "/x", std::chrono::steady_clock::now() + std::chrono::seconds(5)),
              "11");
}

TEST(HttpClientTest, BodyByteForByteAndNoProxy) {
    QByteArray body;
    for (int i = 0; i < 256 * 16; ++i)
        body.append(char(i));
    body.append(QByteArray(Platform::CurlHttpClient::MaxBodyBytes - body.size(), '\0'));
    LoopbackServer server([&](const QByteArray&, int) { return Ok(body); });
    // A proxy from the environment must not be used: this one does not exist.
    const QString dead = QStringLiteral("http://127.0.0.1:%1").arg(LoopbackServer::RefusedPort());
    qputenv("http_proxy", dead.toLatin1());
    qputenv("ALL_PROXY", dead.toLatin1());
    Platform::CurlHttpClient http;
    const QByteArray got = http.get(server.base() + "/x");
    qunsetenv("http_proxy");
    qunsetenv("ALL_PROXY");
    EXPECT_EQ(got, body);
}

TEST(ServerTest, FromTheEnvironmentOrTheMaker) {
    qunsetenv(Promo::ServerVariable);
    EXPECT_EQ(Promo::Server(), QStringLiteral("http://www.velmora.example"));
    qputenv(Promo::ServerVariable, "http://127.0.0.1:8080/");
    EXPECT_EQ(Promo::Server(), QStringLiteral("http://127.0.0.1:8080"));
    qunsetenv(Promo::ServerVariable);
}

// ---- rotation ----

TEST(RotationTest, TopOnEvenLinesMainOnOddLines) {
    Rig rig;
    rig.start(
        "1>2>http://ads.test/0\r\n0>3>http://ads.test/1\r\n1>4>http://ads.test/2\r\n0>5>http://ads.test/3", 1,
        1);
    for (int i = 0; i < 5; ++i) {
        Promo::Tick(rig.w, Pane::Main);
        Promo::Tick(rig.w, Pane::Top);
    }
    EXPECT_EQ(rig.main.navigations, (std::vector<QString>{Url(1), Url(3), Url(1), Url(3), Url(1)}));
    EXPECT_EQ(rig.top.navigations, (std::vector<QString>{Url(0), Url(2)})); // then keeps line 2's page
    EXPECT_EQ(rig.timer2.interval(), 3000);
    EXPECT_EQ(rig.timer1.interval(), 4000);
    EXPECT_TRUE(rig.timer1.isActive()); // still ticking at line 2's interval
    EXPECT_EQ(rig.topCursor, 3);
    EXPECT_EQ(rig.mainCursor, 2);
}

TEST(RotationTest, OnlyEntryOnTheLastLineReloads) {
    Rig rig;
    rig.start("0>1>http://ads.test/0\r\n1>7>http://ads.test/1\r\n", 1, 1);
    for (int i = 0; i < 3; ++i)
        Promo::Tick(rig.w, Pane::Top);
    EXPECT_EQ(rig.top.navigations, (std::vector<QString>(3, Url(1))));
    EXPECT_EQ(rig.topCursor, 0);
    EXPECT_EQ(rig.timer1.interval(), 7000);
}

TEST(RotationTest, ZeroSecondsStopsThePane) {
    Rig rig;
    rig.start("0>0>http://ads.test/0\r\n0>5>http://ads.test/1\r\n", 1, 1);
    Promo::Tick(rig.w, Pane::Main);
    EXPECT_EQ(rig.main.navigations, std::vector<QString>{Url(0)});
    EXPECT_FALSE(rig.timer2.isActive());
    EXPECT_TRUE(rig.timer1.isActive());
}

TEST(RotationTest, NothingToShow) {
    struct Row {
        const char* name;
        QByteArray schedule;
        int mainOn, topOn;
    };
    const Row rows[] = {
        {"blank-only schedule", " \r\n\t\r\n  \r\n", 1, 1},
        {"no entry of the pane's kind", "1>5>http://ads.test/top\r\n2>5>http://ads.test/x", 1, 1},
        {"pane switched off", "0>5>http://ads.test/main", 0, 1},
        {"blank before the separator", "0 >5>http://ads.test/main", 1, 1},
        {"other scheme",
         "0>5>file:///etc/passwd\r\n0>5>javascript:alert(1)\r\n0>5>data:text/html,x\r\n0>5>www.a.test", 1, 1},
        {"bad seconds", "0>>http://ads.test/a\r\n0>x>http://ads.test/b\r\n0>2147484>http://ads.test/c", 1, 1},
    };
    for (const Row& r : rows) {
        Rig rig;
        rig.start(r.schedule, r.mainOn, r.topOn);
        rig.mainCursor = 0;
        Promo::Tick(rig.w, Pane::Main);
        Promo::Tick(rig.w, Pane::Main);
        EXPECT_TRUE(rig.main.navigations.empty()) << r.name;
        EXPECT_EQ(rig.mainCursor, 0) << r.name;
        EXPECT_EQ(rig.timer2.interval(), 1000) << r.name;
        EXPECT_TRUE(rig.timer2.isActive()) << r.name;
    }
}

TEST(RotationTest, SkippedLinesDoNotStopTheOthers) {
    Rig rig;
    rig.start("  0>2>http://ads.test/0\r\n" // leading blanks: the line is trimmed
              "0>x>http://ads.test/bad\r\n" // bad seconds: skipped quietly
              "0>3>javascript:alert(1)\r\n" // not a web page: skipped
              "0>4>  http://ads.test/3  ",
              1, 0);
    for (int i = 0; i < 3; ++i)
        Promo::Tick(rig.w, Pane::Main);
    EXPECT_EQ(rig.main.navigations, (std::vector<QString>{Url(0), Url(3), Url(0)}));
    EXPECT_EQ(rig.timer2.interval(), 2000);
    EXPECT_TRUE(rig.top.navigations.empty());
}

TEST(RotationTest, AddressDecodedFromGbk) {
    Rig rig;
    rig.start("1>5>http://ads.test/\xB4\xBA\xBD\xDA?a>b", 0, 1);
    Promo::Tick(rig.w, Pane::Top);
    ASSERT_EQ(rig.top.navigations.size(), 1u);
    EXPECT_EQ(rig.top.navigations[0], QStringLiteral("http://ads.test/春节?a>b"));
}

} // namespace
