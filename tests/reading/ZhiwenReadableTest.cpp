// SPDX-License-Identifier: GPL-3.0-or-later
// The fingerprint window for a screen-reader user and under a dark palette: each new reading is
// announced, and every text keeps a contrast of at least 4.5:1 on the fixed light blue.
#include "TestSupport.h"

#include "UntZhiwen.h"
#include "Widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

double luminance(QRgb rgb) {
    const auto channel = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a text in this part of the picture: its background is the commonest colour, its
// text the pixel farthest from it (the glyphs' solid cores).
double textContrast(const QImage& shot, const QRect& part) {
    QHash<QRgb, int> counts;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            ++counts[shot.pixel(x, y) | 0xFF000000u];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            most = it.value(), background = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(background, it.key()));
    return best;
}

QPalette darkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35)); // button and window colour; the rest is derived
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    return dark;
}

struct TextRow {
    const char* name;
    const char* widget;
};
void PrintTo(const TextRow& row, std::ostream* os) {
    *os << row.name;
}

class ZhiwenDark : public ::testing::TestWithParam<TextRow> {
protected:
    static void SetUpTestSuite() {
        saved_ = new QPalette(QApplication::palette());
        QApplication::setPalette(darkPalette());
        WriteStore({{"xxxxx", StoredForm("\xB8\xA3")}}); // 福
        window_ = new TFrmzhiwen();
        window_->show();
        Child<QLineEdit>(window_, QStringLiteral("RzEditOX"))->setText(QStringLiteral("xxxxx"));
        QTest::mouseClick(Child<QPushButton>(window_, QStringLiteral("RzBitBtn1")), Qt::LeftButton);
        shot_ = new QImage(window_->grab().toImage());
        shot_->save(QStringLiteral("zhiwen-dark.png")); // beside the test program, for a look
    }
    static void TearDownTestSuite() {
        delete window_;
        delete shot_;
        QApplication::setPalette(*saved_);
        delete saved_;
        RemoveStore();
    }
    static inline TFrmzhiwen* window_ = nullptr;
    static inline QImage* shot_ = nullptr;
    static inline QPalette* saved_ = nullptr;
};

TEST_P(ZhiwenDark, TextReadsAtLeastFourAndAHalfToOne) {
    auto* label = Child<QLabel>(window_, QString::fromLatin1(GetParam().widget));
    ASSERT_FALSE(label->text().isEmpty());
    const qreal scale = shot_->devicePixelRatio();
    const QRect part(label->mapTo(window_, QPoint(0, 0)) * scale, label->size() * scale);
    const double ratio = textContrast(*shot_, part.intersected(shot_->rect()));
    RecordProperty("contrast_x100", static_cast<int>(ratio * 100));
    EXPECT_GE(ratio, 4.5);
}

INSTANTIATE_TEST_SUITE_P(Texts, ZhiwenDark,
                         ::testing::Values(TextRow{"Explanation", "RzLabel1"}, TextRow{"CodeLabel", "Label1"},
                                           TextRow{"Reading", "RzLabel2"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The code box is named by its label. A press of "测算" from the keyboard moves the focus to the
// reading, which a reader then reads out, and Tab goes round to the code box; a click leaves it.
TEST(ZhiwenReader, AKeyboardPressTakesTheFocusToTheReading) {
    WriteStore({{"xxxxx", StoredForm("\xB8\xA3")}});
    TFrmzhiwen window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* button = Child<QPushButton>(&window, QStringLiteral("RzBitBtn1"));
    auto* code = Child<QLineEdit>(&window, QStringLiteral("RzEditOX"));
    auto* reading = Child<QLabel>(&window, QStringLiteral("RzLabel2"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(code)->text(QAccessible::Name),
              QStringLiteral("请输入您的指纹代码："));

    code->setText(QStringLiteral("xxxxx"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), button);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        button->setFocus(Qt::TabFocusReason);
        reading->clear();
        QTest::keyClick(button, key);
        EXPECT_EQ(QApplication::focusWidget(), reading) << key;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(reading)->text(QAccessible::Name),
                  QStringLiteral("测算结果:福"));
    }
    QTest::keyClick(reading, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), code);
    RemoveStore();
}

} // namespace
