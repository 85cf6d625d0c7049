// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: layout and resizing, links, the buttons that open windows, the information
// dialogs and the error box.
#include "AppTestSupport.h"

#include "DateWin.h"
#include "EndMsg.h"
#include "Errors.h"
#include "Flash.h"
#include "QtErrorBox.h"
#include "ShockwaveFlash.h"
#include "Uabout.h"
#include "UntZhiwen.h"
#include "Unt_Main.h"
#include "Unt_servers.h"
#include "WindowOwner.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class MainWindow : public MainWindowFixture {
protected:
    template <class W = QWidget> W* child(const char* name) const {
        W* w = window_->findChild<W*>(QLatin1String(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    QRect geometryOf(const char* name) const {
        QWidget* w = child(name);
        return w ? w->geometry() : QRect();
    }
    void resizeClient(int width, int height) {
        window_->resize(width, height);
        for (int i = 0; i < 100 && window_->centralWidget()->size() != QSize(width, height); ++i)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        ASSERT_EQ(window_->centralWidget()->size(), QSize(width, height));
    }
};

// ---- Layout ----

TEST_F(MainWindow, IsTheVelmoraWindowWithoutAMaximiseBox) {
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Velmora"));
    EXPECT_EQ(window_->size(), QSize(792, 566));
    EXPECT_FALSE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(child("Memo1")->isVisible());
}

class MainWindowResize : public MainWindow, public ::testing::WithParamInterface<QSize> {};

TEST_P(MainWindowResize, DockedPanelsKeepTheirHeightsAndWidths) {
    const int w = GetParam().width();
    const int h = GetParam().height();
    // Widgets that are not docked keep their places (the web panes' places are the promotion
    // code's to choose).
    const char* undocked[] = {"EmbeddedWB1", "EmbeddedWB2", "Memo1",  "RzButton1",
                              "RzButton7",   "Label2",      "Label17"};
    std::vector<QRect> before;
    for (const char* name : undocked)
        before.push_back(geometryOf(name));
    resizeClient(w, h);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(geometryOf(undocked[i]), before[i]) << undocked[i];
    const int body = h - 84 - 20; // between the banner and the status line
    EXPECT_EQ(geometryOf("RzPanel1"), QRect(0, 0, w, 84));
    EXPECT_EQ(geometryOf("Image1"), QRect(2, 2, w - 4, 80));
    EXPECT_EQ(geometryOf("RzPanel3"), QRect(0, 84, w, body));
    EXPECT_EQ(geometryOf("RzPanel6"), QRect(0, 0, w, 36));
    EXPECT_EQ(geometryOf("Image16"), QRect(2, 2, w - 4, 32));
    EXPECT_EQ(geometryOf("RzPanel2"), QRect(0, 36, 176, body - 36));
    EXPECT_EQ(geometryOf("Image2"), QRect(4, 4, 168, body - 36 - 8));
    EXPECT_EQ(geometryOf("RzPanel4"), QRect(176, 36, w - 176, body - 36));
    EXPECT_EQ(geometryOf("Image15"), QRect(2, 2, w - 176 - 4, body - 36 - 4));
    EXPECT_EQ(geometryOf("RzStatusBar1"), QRect(0, h - 20, w, 20));
    EXPECT_EQ(geometryOf("Memo1"), QRect(1, 312, 800, 109));
    EXPECT_EQ(geometryOf("RzButton7"), QRect(708, 8, 80, 20));
    EXPECT_EQ(geometryOf("Label17"), QRect(13, 397, 156, 14));
    EXPECT_EQ(geometryOf("RzStatusPane1").width(), 463);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainWindowResize,
                         ::testing::Values(QSize(792, 566), QSize(1024, 740), QSize(700, 480)));

TEST_F(MainWindow, ButtonRowHasItsPlacesAndTabOrder) {
    const std::vector<std::pair<const char*, int>> row = {
        {"RzButton1", 109}, {"RzButton4", 195}, {"RzButton6", 280}, {"RzButton5", 366},
        {"RzButton2", 451}, {"RzButton3", 537}, {"RzButton8", 622}, {"RzButton7", 708}};
    for (const auto& [name, left] : row)
        EXPECT_EQ(geometryOf(name), QRect(left, 8, 80, 20)) << name;

    QStringList order;
    QWidget* w = child("RzButton1");
    for (int i = 0; i < 64 && order.size() < 8; ++i, w = w->nextInFocusChain())
        if (qobject_cast<QPushButton*>(w) && w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    EXPECT_EQ(order, QStringList({"RzButton1", "RzButton2", "RzButton3", "RzButton4", "RzButton5",
                                  "RzButton6", "RzButton7", "RzButton8"}));
}

TEST_F(MainWindow, LinkColumnHasItsPlacesColoursAndEndings) {
    struct Row {
        const char* name;
        int top;
        QColor colour;
    };
    const QColor red(0xFF0000), navy(0x000080), green(0x008000);
    const Row rows[] = {{"Label2", 15, red},     {"Label3", 37, red},     {"Label4", 61, navy},
                        {"Label1", 85, navy},    {"Label5", 109, navy},   {"Label6", 133, navy},
                        {"Label7", 157, navy},   {"Label8", 181, navy},   {"Label9", 205, navy},
                        {"Label10", 229, navy},  {"Label12", 253, navy},  {"Label13", 277, navy},
                        {"Label14", 301, navy},  {"Label11", 325, green}, {"Label15", 349, green},
                        {"Label16", 373, green}, {"Label17", 397, green}};
    for (const Row& r : rows) {
        auto* label = child<QLabel>(r.name);
        ASSERT_TRUE(label);
        EXPECT_EQ(label->geometry().topLeft(), QPoint(13, r.top)) << r.name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), r.colour) << r.name;
        EXPECT_EQ(label->font().pixelSize(), 14) << r.name;
        EXPECT_TRUE(label->font().bold()) << r.name;
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor) << r.name;
        if (r.colour == red) {
            EXPECT_TRUE(label->text().endsWith(QStringLiteral("[荐]"))) << r.name;
        }
        if (r.colour == green) {
            EXPECT_TRUE(label->text().endsWith(QStringLiteral("(推荐)"))) << r.name;
        }
    }
    EXPECT_EQ(child<QLabel>("Label13")->text(), QStringLiteral("Velmora"));
}

// ---- Links ----

struct Link {
    const char* widget;
    const char* address;
};

class MainWindowLinks : public MainWindow, public ::testing::WithParamInterface<Link> {};

TEST_P(MainWindowLinks, ClickOpensItsAddressInTheBrowser) {
    QWidget* w = child(GetParam().widget);
    ASSERT_TRUE(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(launcher_->pages, QStringList{QString::fromLatin1(GetParam().address)});
    EXPECT_TRUE(errors_->shown.isEmpty());
}

constexpr char Recommended[] = "http://soft.velmora.example/bazi-master.html";
INSTANTIATE_TEST_SUITE_P(Addresses, MainWindowLinks,
                         ::testing::Values(Link{"RzButton6", "http://www.velmora.example/"},
                                           Link{"RzButton8", "http://www.velmora.example/index.html"},
                                           Link{"Image1", Recommended}, Link{"Label3", Recommended},
                                           Link{"Label5", Recommended}, Link{"Label6", Recommended},
                                           Link{"Label7", Recommended}, Link{"Label8", Recommended},
                                           Link{"Label9", Recommended}, Link{"Label10", Recommended},
                                           Link{"Label12", Recommended}, Link{"Label13", Recommended},
                                           Link{"Label14", Recommended},
                                           Link{"Label2", "http://soft.velmora.example/ziwei-expert.html"},
                                           Link{"Label4", "http://soft.velmora.example/liuyao.html"},
                                           Link{"Label1", "http://soft.velmora.example/name-test.html"},
                                           Link{"Label17", "http://soft.velmora.example/wubi-helper.html"},
                                           Link{"Label11", "http://down.velmora.example/jisukantu_setup.exe"},
                                           Link{"Label15", "http://down.velmora.example/yunyasuo_setup.exe"},
                                           Link{"Label16", "http://down.velmora.example/yueting_setup.exe"}),
                         [](const auto& info) { return std::string(info.param.widget); });

TEST_F(MainWindow, ARightClickOpensNothing) {
    QTest::mouseClick(child("Label3"), Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_TRUE(launcher_->pages.isEmpty());
}

// ---- Windows opened by the buttons ----

struct Opener {
    const char* button;
    const char* windowClass;
    std::function<QDialog*()> reference;
};

class MainWindowOpens : public MainWindow, public ::testing::WithParamInterface<Opener> {};

TEST_P(MainWindowOpens, EachPressDestroysThePreviousWindowAndShowsANewOne) {
    const Opener& o = GetParam();
    QList<QPointer<QDialog>> seen;
    ModalAnswerer answer([&](QDialog* d) {
        seen << d;
        EXPECT_EQ(d, o.reference());
        EXPECT_TRUE(Platform::Owns(d));
        d->close();
    });
    QTest::mouseClick(child(o.button), Qt::LeftButton);
    ASSERT_EQ(seen.size(), 1);
    ASSERT_TRUE(seen[0]);
    EXPECT_STREQ(seen[0]->metaObject()->className(), o.windowClass);
    EXPECT_TRUE(seen[0]->isHidden()); // kept, hidden, after it closed
    EXPECT_EQ(o.reference(), seen[0].data());

    QTest::mouseClick(child(o.button), Qt::LeftButton);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0].isNull()); // the first one was destroyed by the second press
    EXPECT_EQ(o.reference(), seen[1].data());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(quits_, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, MainWindowOpens,
    ::testing::Values(Opener{"RzButton3", "TAbout", [] { return static_cast<QDialog*>(About); }},
                      Opener{"RzButton2", "TFrm_servers", [] { return static_cast<QDialog*>(Frm_servers); }},
                      Opener{"RzButton1", "TFrmzhiwen", [] { return static_cast<QDialog*>(Frmzhiwen); }},
                      Opener{"RzButton5", "TFRM_Date", [] { return static_cast<QDialog*>(FRM_Date); }}),
    [](const auto& info) { return std::string(info.param.button); });

TEST_F(MainWindow, PalmReadingButtonOpensThePalmMovieWithoutBlocking) {
    Platform::ScopedService<Platform::FlashPlayerFactory> players{std::make_shared<FakeFlashPlayers>()};
    QTest::mouseClick(child("RzButton4"), Qt::LeftButton); // returns: the movie window is not modal
    ASSERT_TRUE(FrmFlash);
    EXPECT_TRUE(FrmFlash->isVisible());
    EXPECT_EQ(FrmFlash->windowTitle(), QStringLiteral("手相占卜"));
    EXPECT_TRUE(FrmFlash->ShockwaveFlash1->Movie().endsWith(QStringLiteral("/Flash/shou.swf")));
    EXPECT_TRUE(errors_->shown.isEmpty());
    delete FrmFlash.data();
}

// ---- The information dialogs ----

TEST_F(AppFixture, AboutShowsTheMakerAndItsMailLinkOpensMail) {
    TAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于系统"));
    EXPECT_EQ(about.size(), QSize(321, 149));
    EXPECT_FALSE(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto* link = about.findChild<QLabel*>(QStringLiteral("RzURLLabel1"));
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->text().endsWith(QStringLiteral("support@velmora.example")));
    EXPECT_TRUE(link->font().underline());
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(launcher_->mails, QStringList{QStringLiteral("support@velmora.example")});
    EXPECT_TRUE(launcher_->pages.isEmpty());
}

// The labels set in a regular-script family show in the installed brush face and still fit.
TEST_F(AppFixture, RegularScriptLabelsShowInTheBrushFaceAndFit) {
    if (!QFontDatabase::families().contains(QStringLiteral("AR PL UKai CN")))
        GTEST_SKIP() << "AR PL UKai (fonts-arphic-ukai) is not installed";
    const QStringList kai = {QStringLiteral("楷体_GB2312"), QStringLiteral("楷体"), QStringLiteral("KaiTi")};
    TAbout about;
    TFrm_servers servers;
    TFrmMsG exit;
    int checked = 0;
    for (QWidget* window :
         {static_cast<QWidget*>(&about), static_cast<QWidget*>(&servers), static_cast<QWidget*>(&exit)}) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!kai.contains(label->font().family()))
                continue;
            ++checked;
            const std::string name = label->objectName().toStdString();
            EXPECT_TRUE(QFontInfo(label->font()).family().startsWith(QStringLiteral("AR PL UKai"))) << name;
            const QFontMetrics metrics(label->font());
            const QRect box = label->contentsRect();
            EXPECT_LE(metrics.horizontalAdvance(label->text()), box.width()) << name;
            EXPECT_LE(metrics.tightBoundingRect(label->text()).height(), box.height()) << name;
        }
    }
    EXPECT_GE(checked, 1); // the maker line at least
}

TEST_F(AppFixture, CustomerServiceShowsItsFourSections) {
    TFrm_servers servers;
    EXPECT_EQ(servers.windowTitle(), QStringLiteral("客户服务"));
    EXPECT_EQ(servers.size(), QSize(420, 273));
    const auto text = [&](const char* name) {
        auto* l = servers.findChild<QLabel*>(QLatin1String(name));
        return l ? l->text() : QString();
    };
    EXPECT_EQ(text("Label1"), QStringLiteral("市场合作:"));
    EXPECT_TRUE(text("Label5").startsWith(QStringLiteral("服务电话：")));
    EXPECT_EQ(text("Label3"),
              QStringLiteral("当您在使用产品的时候有任何问题、建议或疑问，欢迎您拨打热线电话。"));
    EXPECT_TRUE(text("Label7").startsWith(QStringLiteral("技术支持邮箱：")));
    EXPECT_TRUE(text("Label7").endsWith(QStringLiteral("support@velmora.example")));
}

// ---- The error box ----

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    const std::pair<QString, QString> rows[] = {
        {"disk full", "disk full."}, {"done.", "done."}, {"why?", "why?."},
        {"wait!", "wait!"},          {"1-", "1-"},       {"a/", "a/."},
        {"读取失败", "读取失败."},   {"", ""},
    };
    for (const auto& [message, shown] : rows)
        EXPECT_EQ(Platform::ErrorBoxText(message), shown) << message.toStdString();
}

TEST_F(AppFixture, AnEscapedErrorIsShownAndTheSilentAbortIsNot) {
    QPushButton button;
    int step = 0;
    QObject::connect(&button, &QPushButton::clicked, Platform::Guarded([&] {
        if (++step == 1)
            throw EVelmoraError(QStringLiteral("数据读取失败"));
        Platform::Abort();
    }));
    button.click();
    button.click();
    EXPECT_EQ(errors_->shown, QStringList{QStringLiteral("数据读取失败.")});

    // An exception escaping an event handler that is not guarded reaches the application's backstop.
    struct Throwing : QObject {
        bool event(QEvent*) override { throw EVelmoraError("event failed"); }
    } throwing;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&throwing, &event);
    EXPECT_EQ(errors_->shown.size(), 2);
    EXPECT_EQ(errors_->shown.value(1), QStringLiteral("event failed."));
}

TEST_F(AppFixture, TheErrorBoxIsCriticalWithTheApplicationTitle) {
    Platform::ScopedService<Platform::ErrorBox> real(std::make_shared<Platform::QtErrorBox>());
    ModalAnswerer answer([](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Velmora"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->text(), QStringLiteral("磁盘已满."));
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    Platform::Guard([] { throw EVelmoraError(QStringLiteral("磁盘已满")); });
    EXPECT_EQ(answer.count, 1);
}

} // namespace
