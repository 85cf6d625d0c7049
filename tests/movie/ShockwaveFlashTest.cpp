// SPDX-License-Identifier: GPL-3.0-or-later
// The Flash player control for real: Ruffle in Qt WebEngine, offscreen.
#include "ShockwaveFlash.h"

#include "Errors.h"
#include "Fakes.h"
#include "Flash.h"
#include "Platform.h"
#include "WindowOwner.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace {

// Loading starts Chromium's helper processes and a 14 MB WebAssembly module: be generous.
constexpr int kLoadTimeoutMs = 60000;

// What a SWF file's own header says: stage size in pixels and frame rate. Plain (FWS) and
// zlib-compressed (CWS) files; nullopt for anything else.
struct SwfHeader {
    double frameRate;
    int width, height;
};

std::optional<SwfHeader> ReadSwfHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    if (data.size() < 8)
        return std::nullopt;
    QByteArray body = data.mid(8);
    if (data.startsWith("CWS")) {
        // qUncompress wants the uncompressed size first, big-endian.
        const quint32 length = qFromLittleEndian<quint32>(data.constData() + 4) - 8;
        QByteArray framed(4, '\0');
        qToBigEndian(length, framed.data());
        body = qUncompress(framed + body);
    } else if (!data.startsWith("FWS")) {
        return std::nullopt;
    }
    // RECT: 5 bits of field width n, then xmin, xmax, ymin, ymax of n bits each, in twips.
    int bit = 0;
    auto bits = [&](int n) {
        qint64 v = 0;
        for (int i = 0; i < n; ++i, ++bit)
            v = (v << 1) | ((static_cast<quint8>(body.at(bit / 8)) >> (7 - bit % 8)) & 1);
        return v;
    };
    if (body.size() < 20)
        return std::nullopt;
    const int n = static_cast<int>(bits(5));
    const qint64 xmin = bits(n), xmax = bits(n), ymin = bits(n), ymax = bits(n);
    const int at = (bit + 7) / 8; // frame rate: 8.8 fixed point, little-endian
    if (body.size() < at + 2)
        return std::nullopt;
    const double rate = static_cast<quint8>(body.at(at + 1)) + static_cast<quint8>(body.at(at)) / 256.0;
    return SwfHeader{rate, static_cast<int>((xmax - xmin) / 20), static_cast<int>((ymax - ymin) / 20)};
}

class Player : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    // The player is found in the build's program folder, not beside the test program.
    std::optional<Platform::ScopedService<Platform::ProgramFolder>> folder_{
        std::in_place, std::make_shared<FakeProgramFolder>(QStringLiteral(VELMORA_TEST_APP_DIR))};

    // A copy of the test movie in a folder whose name needs escaping in a URL.
    QString movieCopy(const QString& name) {
        const QString folder = dir_.filePath(QStringLiteral("影片 #1%"));
        QDir().mkpath(folder);
        const QString path = folder + "/" + name;
        QFile::copy(QStringLiteral(VELMORA_TEST_SWF), path);
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(Player, PlaysAMovieAndReportsItsHeader) {
    Platform::ShockwaveFlash control;
    control.resize(640, 480);
    control.show();
    QSignalSpy loaded(&control, &Platform::ShockwaveFlash::loaded);
    QSignalSpy drawn(&control, &Platform::ShockwaveFlash::firstFrameDrawn);
    QSignalSpy failed(&control, &Platform::ShockwaveFlash::failed);

    const QString path = movieCopy(QStringLiteral("手相.swf"));
    control.setProperty("Movie", path);
    EXPECT_EQ(control.Movie(), path);

    ASSERT_TRUE(loaded.wait(kLoadTimeoutMs)) << failed.value(0).value(0).toString().toStdString();
    EXPECT_DOUBLE_EQ(loaded[0][0].toDouble(), 10.0);
    EXPECT_EQ(loaded[0][1].toInt(), 320);
    EXPECT_EQ(loaded[0][2].toInt(), 240);
    const auto header = ReadSwfHeader(path);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 320);
    EXPECT_DOUBLE_EQ(header->frameRate, 10.0);
    EXPECT_TRUE(drawn.size() == 1 || drawn.wait(kLoadTimeoutMs));
    EXPECT_TRUE(control.Message().isEmpty());
    EXPECT_TRUE(failed.isEmpty());

    // Hidden (a closed movie window) it falls silent and lets its page go; shown again it plays
    // afresh, with sound.
    QPointer<QWebEnginePage> page = control.View()->page();
    control.hide();
    EXPECT_TRUE(page->isAudioMuted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return page.isNull() && !control.View(); }, 5000));
    drawn.clear();
    control.show();
    ASSERT_NE(control.View(), nullptr);
    EXPECT_FALSE(control.View()->page()->isAudioMuted());
    EXPECT_TRUE(drawn.wait(kLoadTimeoutMs));
}

// A window of another shape than the movie shows all of it, scaled and centred: the bands beside
// it are alike on both sides. The test movie is Haxe-made, so its runtime asks for a top-left stage.
struct Shape {
    const char* name;
    QSize window;
    QRect movie; // where the 320 x 240 white stage must stand
};
void PrintTo(const Shape& s, std::ostream* os) {
    *os << s.name;
}

class PlayerShape : public Player, public ::testing::WithParamInterface<Shape> {};

TEST_P(PlayerShape, ShowsAllOfTheMovieCentred) {
    const Shape& shape = GetParam();
    Platform::ShockwaveFlash control;
    control.resize(shape.window);
    control.show();
    QSignalSpy drawn(&control, &Platform::ShockwaveFlash::firstFrameDrawn);
    control.SetMovie(movieCopy(QStringLiteral("ball.swf")));
    ASSERT_TRUE(drawn.wait(kLoadTimeoutMs));

    // Samples in the top rows, clear of the ball: the stage's corners are white, the bands are not.
    const QRect m = shape.movie;
    const QList<QPoint> inside = {m.topLeft() + QPoint(4, 4), m.topRight() + QPoint(-4, 4),
                                  m.bottomLeft() + QPoint(4, -4), m.bottomRight() + QPoint(-4, -4)};
    const QList<QPoint> outside =
        shape.window.width() > m.width()
            ? QList<QPoint>{{m.left() / 2, 10}, {(m.right() + shape.window.width()) / 2, 10}}
            : QList<QPoint>{{10, m.top() / 2}, {10, (m.bottom() + shape.window.height()) / 2}};
    bool placed = false;
    QImage shot;
    for (int attempt = 0; attempt < 50 && !placed; ++attempt) { // the page may lay out a moment later
        QTest::qWait(100);
        shot = control.View()->grab().toImage();
        placed = std::all_of(inside.begin(), inside.end(),
                             [&](QPoint p) { return shot.pixelColor(p) == Qt::white; }) &&
                 std::none_of(outside.begin(), outside.end(),
                              [&](QPoint p) { return shot.pixelColor(p) == Qt::white; }) &&
                 shot.pixelColor(outside[0]) == shot.pixelColor(outside[1]);
    }
    EXPECT_TRUE(placed) << "corners " << shot.pixelColor(inside[0]).name().toStdString() << " "
                        << shot.pixelColor(inside[3]).name().toStdString() << ", bands "
                        << shot.pixelColor(outside[0]).name().toStdString() << " "
                        << shot.pixelColor(outside[1]).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, PlayerShape,
                         ::testing::Values(Shape{"Wide", {960, 480}, {160, 0, 640, 480}},
                                           Shape{"Tall", {320, 600}, {0, 180, 320, 240}},
                                           Shape{"Large", {1280, 1200}, {0, 120, 1280, 960}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Player, MissingMovieShowsAChineseMessage) {
    Platform::ShockwaveFlash control;
    QSignalSpy failed(&control, &Platform::ShockwaveFlash::failed);
    const QString path = dir_.filePath(QStringLiteral("Flash/shou.swf"));
    control.SetMovie(path);
    EXPECT_EQ(control.Message(), QStringLiteral("找不到影片文件：") + path);
    EXPECT_EQ(failed.size(), 1);
}

TEST_F(Player, AFileThatIsNoMovieShowsAChineseMessage) {
    const QString path = dir_.filePath(QStringLiteral("broken.swf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("CWS\x0a\xff\xff\x00\x00 this is not a zlib stream at all", 40);
    file.close();

    Platform::ShockwaveFlash control;
    control.show();
    QSignalSpy failed(&control, &Platform::ShockwaveFlash::failed);
    QSignalSpy loaded(&control, &Platform::ShockwaveFlash::loaded);
    control.SetMovie(path);
    ASSERT_TRUE(failed.wait(kLoadTimeoutMs));
    EXPECT_EQ(control.Message(), QStringLiteral("无法播放影片文件：") + path);
    EXPECT_TRUE(loaded.isEmpty());
}

TEST_F(Player, WithoutThePlayerFilesNoWindowIsMadeAndTheErrorBoxSaysWhy) {
    folder_.reset();
    folder_.emplace(std::make_shared<FakeProgramFolder>(dir_.path() + QStringLiteral("/")));
    EXPECT_THROW(Platform::ShockwaveFlash{}, EVelmoraError);

    auto box = std::make_shared<FakeErrorBox>();
    Platform::ScopedService<Platform::ErrorBox> scoped(box);
    Platform::Guard([] { Flash::ShowDivinationMovie(1); });
    EXPECT_TRUE(FrmFlash.isNull());
    ASSERT_EQ(box->shown.size(), 1);
    EXPECT_TRUE(box->shown[0].startsWith(QStringLiteral("无法创建影片播放控件")))
        << box->shown[0].toStdString();
    Platform::DestroyOwnedWindows();
}

#ifdef VELMORA_TEST_FLASH_DIR
// Our own movies, as the program folder holds them: each loads and plays, and the player reports
// the stage and frame rate written in the file.
class OurMovie : public Player, public ::testing::WithParamInterface<const char*> {};

TEST_P(OurMovie, LoadsAndPlays) {
    const QString path = QStringLiteral(VELMORA_TEST_FLASH_DIR "/%1.swf").arg(QLatin1String(GetParam()));
    const auto header = ReadSwfHeader(path);
    ASSERT_TRUE(header) << path.toStdString();

    Platform::ShockwaveFlash control;
    control.resize(674, 477);
    control.show();
    QSignalSpy loaded(&control, &Platform::ShockwaveFlash::loaded);
    QSignalSpy drawn(&control, &Platform::ShockwaveFlash::firstFrameDrawn);
    QSignalSpy failed(&control, &Platform::ShockwaveFlash::failed);
    control.SetMovie(path);
    ASSERT_TRUE(loaded.wait(kLoadTimeoutMs)) << failed.value(0).value(0).toString().toStdString();
    EXPECT_NEAR(loaded[0][0].toDouble(), header->frameRate, 1.0 / 256);
    EXPECT_EQ(loaded[0][1].toInt(), header->width);
    EXPECT_EQ(loaded[0][2].toInt(), header->height);
    EXPECT_TRUE(drawn.size() == 1 || drawn.wait(kLoadTimeoutMs));
    EXPECT_TRUE(failed.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, OurMovie, ::testing::Values("shou", "yanxing", "paifo", "tudi"),
                         [](const auto& info) { return std::string(info.param); });
#endif

} // namespace
