// SPDX-License-Identifier: GPL-3.0-or-later
// The movie window and ShowDivinationMovie, with the Flash player replaced by a fake control.
#include "Flash.h"

#include "Errors.h"
#include "Fakes.h"
#include "Platform.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QStringList>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

namespace {

FakeMovieControl* fakeOf(TFrmFlash* window) {
    return dynamic_cast<FakeMovieControl*>(window->ShockwaveFlash1);
}

class FlashWindow : public ::testing::Test {
protected:
    void TearDown() override { Platform::DestroyOwnedWindows(); }

    std::shared_ptr<FakeFlashPlayers> players_ = std::make_shared<FakeFlashPlayers>();
    Platform::ScopedService<Platform::FlashPlayerFactory> playersScope_{players_};
};

struct KindRow {
    int kind;
    const char* title;
    const char* file;
};

class FlashWindowKind : public FlashWindow, public ::testing::WithParamInterface<KindRow> {};

// The movie files do not exist beside the test program: the window opens all the same.
TEST_P(FlashWindowKind, OpensTitledWindowAndHandsTheAbsolutePathToTheControl) {
    const KindRow row = GetParam();
    Flash::ShowDivinationMovie(row.kind);

    ASSERT_FALSE(FrmFlash.isNull());
    EXPECT_EQ(FrmFlash->windowTitle(), QString::fromUtf8(row.title));
    EXPECT_TRUE(FrmFlash->isVisible());
    EXPECT_FALSE(FrmFlash->isModal());
    EXPECT_TRUE(Platform::Owns(FrmFlash));

    FakeMovieControl* control = fakeOf(FrmFlash);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->writes, 1);
    EXPECT_EQ(control->movie, QCoreApplication::applicationDirPath() + "/" + row.file);
    EXPECT_EQ(control->property("Movie").toString(), control->movie);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FlashWindowKind,
                         ::testing::Values(KindRow{0, "眼型占卜", "Flash/yanxing.swf"},
                                           KindRow{1, "手相占卜", "Flash/shou.swf"},
                                           KindRow{2, "拜佛求签", "Flash/paifo.swf"},
                                           KindRow{3, "土地圣杯", "Flash/tudi.swf"}),
                         [](const auto& info) { return "Kind" + std::to_string(info.param.kind); });

class FlashWindowBadKind : public FlashWindow, public ::testing::WithParamInterface<int> {};

TEST_P(FlashWindowBadKind, OpensUntitledWindowWithoutMovie) {
    Flash::ShowDivinationMovie(GetParam());
    ASSERT_FALSE(FrmFlash.isNull());
    EXPECT_EQ(FrmFlash->windowTitle(), "FrmFlash");
    EXPECT_TRUE(FrmFlash->isVisible());
    EXPECT_EQ(fakeOf(FrmFlash)->writes, 0);
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, FlashWindowBadKind, ::testing::Values(-1, 4, INT_MIN, INT_MAX));

TEST_F(FlashWindow, EveryCallMakesANewWindowAndClosingOneLeavesTheOther) {
    Flash::ShowDivinationMovie(1);
    QPointer<TFrmFlash> first = FrmFlash;
    Flash::ShowDivinationMovie(1);
    QPointer<TFrmFlash> second = FrmFlash;

    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_NE(fakeOf(first), fakeOf(second));

    EXPECT_TRUE(first->close());
    EXPECT_FALSE(first.isNull()); // hidden, not destroyed
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(FrmFlash, second);

    // The closed window gives its native window back; shown again, it gets a new one.
    QCoreApplication::processEvents();
    EXPECT_EQ(first->windowHandle(), nullptr);
    EXPECT_NE(second->windowHandle(), nullptr);
    first->show();
    EXPECT_NE(first->windowHandle(), nullptr);

    // At exit the application destroys every movie window, hidden ones included.
    Platform::DestroyOwnedWindows();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(FrmFlash.isNull());
}

TEST_F(FlashWindow, HasTheDesignedFrameAndTheControlFillsIt) {
    // The designed position, taken exactly on a screen that holds the window (the test screen is
    // too small for it).
    auto placement = std::make_shared<FakePlacement>();
    Platform::ScopedService<Platform::WindowPlacement> placementScope{placement};
    Flash::ShowDivinationMovie(1);
    TFrmFlash* w = FrmFlash;
    EXPECT_EQ(w->size(), QSize(674, 477));
    EXPECT_EQ(w->pos(), QPoint(197, 147));
    ASSERT_EQ(placement->placed.size(), 1U);
    EXPECT_EQ(placement->placed[0].first, w);
    const Qt::WindowFlags flags = w->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w->ShockwaveFlash1->objectName(), "ShockwaveFlash1");
    EXPECT_EQ(w->ShockwaveFlash1->geometry(), w->rect());

    w->resize(900, 600);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(w->ShockwaveFlash1->geometry(), w->rect());
}

TEST_F(FlashWindow, AControlThatCannotBeMadeFailsTheWindowAndShowsTheErrorBox) {
    Flash::ShowDivinationMovie(1);
    QPointer<TFrmFlash> earlier = FrmFlash;
    const auto windowsBefore = QApplication::topLevelWidgets().size();

    players_->failure = QStringLiteral("无法创建影片播放控件");
    auto box = std::make_shared<FakeErrorBox>();
    Platform::ScopedService<Platform::ErrorBox> scoped(box);
    // The way the main window's button calls it.
    Platform::Guard([] { Flash::ShowDivinationMovie(1); });

    EXPECT_TRUE(FrmFlash.isNull());
    EXPECT_EQ(box->shown, QStringList{QStringLiteral("无法创建影片播放控件.")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore); // nothing half-made left over
    EXPECT_TRUE(earlier && earlier->isVisible());                     // and the earlier window goes on
}

} // namespace
