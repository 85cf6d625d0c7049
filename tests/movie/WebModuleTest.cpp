// SPDX-License-Identifier: GPL-3.0-or-later
// Without a usable web engine module beside the program: the movie window gives the error box
// and the panes stay hidden, loading nothing. (This test program does not link the module.)
#include "WebModule.h"
#include "Errors.h"
#include "Fakes.h"
#include "Flash.h"
#include "Platform.h"
#include "WindowOwner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct ModuleRow {
    const char* name;
    QByteArray content; // of modules/libvelmora_web.so; null: no such file
};

class NoWebModule : public ::testing::TestWithParam<ModuleRow> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        if (!GetParam().content.isNull()) {
            ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("modules")));
            QFile file(dir_.filePath(QStringLiteral("modules/libvelmora_web.so")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(GetParam().content);
        }
    }
    void TearDown() override { Platform::DestroyOwnedWindows(); }

    QTemporaryDir dir_;
    Platform::ScopedService<Platform::ProgramFolder> folder_{
        std::make_shared<FakeProgramFolder>(dir_.path() + QLatin1Char('/'))};
    Platform::ScopedService<Platform::FlashPlayerFactory> players_{
        std::make_shared<Platform::ModuleFlashPlayers>()};
    std::shared_ptr<FakeErrorBox> box_ = std::make_shared<FakeErrorBox>();
    Platform::ScopedService<Platform::ErrorBox> boxScope_{box_};
};

TEST_P(NoWebModule, TheMovieWindowShowsTheErrorBox) {
    Platform::Guard([] { Flash::ShowDivinationMovie(1); });
    EXPECT_TRUE(FrmFlash.isNull());
    ASSERT_EQ(box_->shown.size(), 1);
    EXPECT_TRUE(
        box_->shown[0].startsWith(QStringLiteral("无法创建影片播放控件：找不到或无法载入网页引擎模块")))
        << box_->shown[0].toStdString();
}

TEST_P(NoWebModule, APaneHidesItselfForGood) {
    QWidget window;
    auto* place = new QWidget(&window);
    window.show();
    auto pane = Platform::ModuleWebPanes().createPane(place);
    pane->navigate(QStringLiteral("http://127.0.0.1:9/"));
    EXPECT_FALSE(pane->visible());
    pane->setVisible(true);
    pane->prepare();
    EXPECT_FALSE(pane->visible());
    EXPECT_TRUE(place->children().isEmpty()); // no view was made
    EXPECT_TRUE(box_->shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Modules, NoWebModule,
                         ::testing::Values(ModuleRow{"Missing", QByteArray()},
                                           ModuleRow{"NotALibrary", QByteArray("not a library")}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
