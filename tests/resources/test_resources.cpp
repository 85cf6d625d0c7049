// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture the windows load must be in the resources, at its native size and format: a
// missing or resized picture would show as an empty or blurred widget, not as an error.
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include "Pictures.h"

#include <gtest/gtest.h>

namespace {

struct Picture {
    const char* path;
    const char* format;
    int width;
    int height;
    bool alpha;
};

void PrintTo(const Picture& p, std::ostream* os) {
    *os << p.path;
}

class Pictures : public testing::TestWithParam<Picture> {};

TEST_P(Pictures, HaveTheirNativeSizeAndFormat) {
    const Picture& p = GetParam();
    QImageReader reader(QString::fromLatin1(p.path));
    ASSERT_TRUE(reader.canRead()) << p.path;
    EXPECT_EQ(reader.format(), QByteArray(p.format)) << p.path;
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << p.path;
    EXPECT_EQ(image.size(), QSize(p.width, p.height)) << p.path;
    EXPECT_EQ(image.hasAlphaChannel(), p.alpha) << p.path;
    if (QByteArray(p.format) == "gif") {
        EXPECT_EQ(reader.imageCount(), 1) << p.path;
    }
}

QString TwiceName(const char* path) {
    QString name = QString::fromLatin1(path);
    return name.insert(name.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
}

// For scaled screens each picture has a rendering at exactly twice its size, in the same format,
// and the picture for a scale of 1.25, 1.5 or 2 is made from it at that scale.
TEST_P(Pictures, HaveATwiceSizeRenderingForScaledScreens) {
    const Picture& p = GetParam();
    if (p.width >= 48 && QByteArray(p.path).contains("icons/"))
        GTEST_SKIP() << "the larger icon sizes serve as the small ones' renderings";
    QImageReader reader(TwiceName(p.path));
    ASSERT_TRUE(reader.canRead()) << TwiceName(p.path).toStdString();
    EXPECT_EQ(reader.format(), QByteArray(p.format));
    const QImage image = reader.read();
    EXPECT_EQ(image.size(), QSize(2 * p.width, 2 * p.height));
    EXPECT_EQ(image.hasAlphaChannel(), p.alpha);

    for (qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        const QPixmap shown = Platform::Picture(QString::fromLatin1(p.path), ratio);
        EXPECT_EQ(shown.devicePixelRatio(), ratio);
        EXPECT_EQ(shown.size(), (QSizeF(p.width, p.height) * ratio).toSize()) << "at " << ratio;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Resources, Pictures,
    testing::Values(Picture{":/images/banner.jpg", "jpeg", 760, 80, false},
                    Picture{":/images/strip.gif", "gif", 794, 39, false},
                    Picture{":/images/frame.gif", "gif", 262, 225, false},
                    Picture{":/images/scene.jpg", "jpeg", 800, 600, false},
                    Picture{":/images/question.jpg", "jpeg", 41, 42, false},
                    Picture{":/images/portrait.jpg", "jpeg", 150, 150, false},
                    Picture{":/images/service_im.jpg", "jpeg", 37, 39, false},
                    Picture{":/images/service_phone.jpg", "jpeg", 35, 29, false},
                    Picture{":/images/service_mascot.jpg", "jpeg", 36, 39, false},
                    Picture{":/images/btn_check.png", "png", 16, 16, true},
                    Picture{":/images/btn_clear.png", "png", 16, 16, true},
                    Picture{":/images/btn_door.png", "png", 16, 16, true},
                    Picture{":/images/icons/velmora-16.png", "png", 16, 16, true},
                    Picture{":/images/icons/velmora-24.png", "png", 24, 24, true},
                    Picture{":/images/icons/velmora-32.png", "png", 32, 32, true},
                    Picture{":/images/icons/velmora-48.png", "png", 48, 48, true},
                    Picture{":/images/icons/velmora-128.png", "png", 128, 128, true}),
    [](const testing::TestParamInfo<Picture>& info) {
        std::string name = QString::fromLatin1(info.param.path).section(QLatin1Char('/'), -1).toStdString();
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

} // namespace
