// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "ReadingsSource.h"
#include "UntZhiwen.h"
#include "Widgets.h"
#include "uShare.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

namespace {

class ZhiwenWindow : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveStore();
        window = std::make_unique<TFrmzhiwen>();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { RemoveStore(); }

    // The window's widget with this object name.
    template <class T = QWidget> T* W(const char* name) {
        return Child<T>(window.get(), QString::fromLatin1(name));
    }
    QString code() { return W<QLineEdit>("RzEditOX")->text(); }
    QString result() { return W<QLabel>("RzLabel2")->text(); }

    // Types the characters one key at a time, as the keyboard would ('\b' is backspace).
    void type(const QString& keys) {
        for (QChar c : keys) {
            int key = c.unicode() < 128 ? c.toUpper().unicode() : int(Qt::Key_unknown);
            if (c == QLatin1Char('\b'))
                key = Qt::Key_Backspace;
            else if (c == QLatin1Char('\r'))
                key = Qt::Key_Return;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(W<QLineEdit>("RzEditOX"), &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(W<QLineEdit>("RzEditOX"), &release);
        }
    }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void useBuiltStore() {
        RemoveStore();
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_READINGS_STORE), StorePath()));
    }

    std::shared_ptr<FakeBeeper> beeper = std::make_shared<FakeBeeper>();
    Platform::ScopedService<Platform::Beeper> fakeBeeper{beeper};
    std::shared_ptr<FakeErrorBox> errors = std::make_shared<FakeErrorBox>();
    Platform::ScopedService<Platform::ErrorBox> fakeErrors{errors};
    std::unique_ptr<TFrmzhiwen> window;
};

struct TypingRow {
    const char* name;
    QString keys;
    QString code;
};
void PrintTo(const TypingRow& row, std::ostream* os) {
    *os << row.name;
}

class ZhiwenTyping : public ZhiwenWindow, public ::testing::WithParamInterface<TypingRow> {};

TEST_P(ZhiwenTyping, OnlyLowerCaseOAndXBackspaceAndFiveLetters) {
    type(GetParam().keys);
    EXPECT_EQ(code(), GetParam().code);
    EXPECT_EQ(beeper->beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ZhiwenTyping,
                         ::testing::Values(TypingRow{"Letters", "oxxo", "oxxo"},
                                           TypingRow{"UpperCase", "OoXx", "ox"},
                                           TypingRow{"Others", "o0 a.'-x\t\x1B", "ox"},
                                           TypingRow{"Chinese", QStringLiteral("o斗x箕"), "ox"},
                                           TypingRow{"Backspace", "oxo\b\bx", "ox"},
                                           TypingRow{"SixthRefused", "ooxxoxo", "ooxxo"},
                                           TypingRow{"AfterBackspace", "ooxxo\bx", "ooxxx"}));

TEST_F(ZhiwenWindow, EnterMovesToTheReadingButtonWithoutQuerying) {
    useBuiltStore();
    type("ooooo\r");
    EXPECT_EQ(code(), "ooooo");
    EXPECT_EQ(QApplication::focusWidget(), W<QPushButton>("RzBitBtn1"));
    EXPECT_EQ(result(), QString());
    QTest::keyClick(W<QPushButton>("RzBitBtn1"), Qt::Key_Return); // the focused button takes the next Enter
    EXPECT_TRUE(result().startsWith(QStringLiteral("测算结果:五指皆为斗纹")));
}

TEST_F(ZhiwenWindow, PastingKeepsOnlyTheCodeLetters) {
    QApplication::clipboard()->setText(QStringLiteral("Xo o1x\n斗xoo"));
    QTest::keyClick(W<QLineEdit>("RzEditOX"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(code(), "ooxxo"); // o o x x o, the sixth letter refused

    W<QLineEdit>("RzEditOX")->setText("ox");
    W<QLineEdit>("RzEditOX")->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("OXx"));
    QTest::keyClick(W<QLineEdit>("RzEditOX"), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(code(), "x");
}

TEST_F(ZhiwenWindow, TheContextMenusPasteKeepsOnlyTheCodeLetters) {
    type("o");
    QApplication::clipboard()->setText(QStringLiteral("零O x-o"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                W<QLineEdit>("RzEditOX")->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(W<QLineEdit>("RzEditOX"), &menuEvent);
    QMenu* menu = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible())
            menu = m;
    ASSERT_NE(menu, nullptr);
    auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(code(), "oxo");
}

// Every way text gets into the box keeps the code letters first and then the first five of them.
enum class Route { CtrlV, ShiftInsert, MiddleClick, ContextMenu, InputMethod };
struct RouteRow {
    const char* name;
    Route route;
};
void PrintTo(const RouteRow& row, std::ostream* os) {
    *os << row.name;
}
class ZhiwenPaste : public ZhiwenWindow, public ::testing::WithParamInterface<RouteRow> {
protected:
    QMenu* openContextMenu() {
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    W<QLineEdit>("RzEditOX")->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(W<QLineEdit>("RzEditOX"), &menuEvent);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible())
                return m;
        return nullptr;
    }
};

TEST_P(ZhiwenPaste, FiltersBeforeTheLengthLimit) {
    const QString text = QStringLiteral("AxBoCxDoEx");
    QClipboard* clipboard = QApplication::clipboard();
    switch (GetParam().route) {
    case Route::CtrlV:
        clipboard->setText(text);
        QTest::keyClick(W<QLineEdit>("RzEditOX"), Qt::Key_V, Qt::ControlModifier);
        break;
    case Route::ShiftInsert:
        clipboard->setText(text);
        QTest::keyClick(W<QLineEdit>("RzEditOX"), Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Route::MiddleClick:
        if (!clipboard->supportsSelection())
            GTEST_SKIP() << "no selection clipboard on this platform (the X11 run covers it)";
        clipboard->setText(text, QClipboard::Selection);
        ASSERT_TRUE(QTest::qWaitFor([&] { return clipboard->text(QClipboard::Selection) == text; }, 2000));
        QTest::mouseClick(W<QLineEdit>("RzEditOX"), Qt::MiddleButton, {}, QPoint(5, 5));
        break;
    case Route::ContextMenu: {
        clipboard->setText(text);
        QMenu* menu = openContextMenu();
        ASSERT_NE(menu, nullptr);
        auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
        ASSERT_NE(paste, nullptr);
        paste->trigger();
        menu->close();
        break;
    }
    case Route::InputMethod: {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(W<QLineEdit>("RzEditOX"), &commit);
        break;
    }
    }
    EXPECT_EQ(code(), "xoxox");
}

INSTANTIATE_TEST_SUITE_P(Rows, ZhiwenPaste,
                         ::testing::Values(RouteRow{"CtrlV", Route::CtrlV},
                                           RouteRow{"ShiftInsert", Route::ShiftInsert},
                                           RouteRow{"MiddleClick", Route::MiddleClick},
                                           RouteRow{"ContextMenu", Route::ContextMenu},
                                           RouteRow{"InputMethod", Route::InputMethod}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZhiwenWindow, ShowsTheReadingOfEveryCompleteCodeInFull) {
    useBuiltStore();
    const QFontMetrics metrics(W<QLabel>("RzLabel2")->font());
    const QRect room = W<QLabel>("RzLabel2")->contentsRect();
    EXPECT_EQ(W<QFrame>("RzPanel3")->size(), QSize(466, 68));
    for (const auto& row : ReadingsSource::Parse(ReadingsSourceText())) {
        W<QLineEdit>("RzEditOX")->setText(QString::fromStdString(row.code));
        click(W<QPushButton>("RzBitBtn1"));
        QString expected =
            QStringLiteral("测算结果:") + Platform::DecodeGbk(QByteArray::fromStdString(row.reading));
        EXPECT_EQ(result(), expected.replace(QLatin1Char('\r'), QLatin1Char('\n'))) << row.code;
        const QStringList lines = result().split(QLatin1Char('\n'));
        EXPECT_LE(lines.size() * metrics.lineSpacing(), room.height()) << row.code;
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), room.width()) << row.code << " " << line.toStdString();
    }
    EXPECT_TRUE(errors->shown.isEmpty());
    EXPECT_EQ(beeper->beeps, 0);
}

TEST_F(ZhiwenWindow, TheExplanationShowsItsSixLinesInFull) {
    QTextDocument shown;
    shown.setHtml(W<QLabel>("RzLabel1")->text());
    const QStringList lines = shown.toPlainText()
                                  .split(QChar(QChar::ParagraphSeparator))
                                  .join(QLatin1Char('\n'))
                                  .split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("    "));
    EXPECT_EQ(lines[5], QStringLiteral("按 测算 按钮，结果将显示在。"));
    // Laid out in the label's own font, the text must fit inside the label (and the label inside
    // its panel), with the program's font substitutes in force.
    const QSize needed = W<QLabel>("RzLabel1")->sizeHint();
    EXPECT_LE(needed.height(), W<QLabel>("RzLabel1")->contentsRect().height());
    EXPECT_LE(needed.width(), W<QLabel>("RzLabel1")->contentsRect().width());
    EXPECT_TRUE(W<QFrame>("RzPanel1")->contentsRect().contains(W<QLabel>("RzLabel1")->geometry()));
}

TEST_F(ZhiwenWindow, ACodeWithoutAReadingShowsTheCaptionAlone) {
    useBuiltStore();
    type("oxo");
    click(W<QPushButton>("RzBitBtn1"));
    EXPECT_EQ(result(), QStringLiteral("测算结果:"));
    W<QLineEdit>("RzEditOX")->clear();
    click(W<QPushButton>("RzBitBtn1"));
    EXPECT_EQ(result(), QStringLiteral("测算结果:"));
}

TEST_F(ZhiwenWindow, EachPressQueriesAfresh) {
    WriteStore({{"xxxxx", StoredForm("\xB8\xA3")}}); // 福
    type("xxxxx");
    click(W<QPushButton>("RzBitBtn1"));
    EXPECT_EQ(result(), QStringLiteral("测算结果:福"));
    click(W<QPushButton>("RzBitBtn1"));
    EXPECT_EQ(result(), QStringLiteral("测算结果:福"));
    WriteStore({{"xxxxx", StoredForm("\xC2\xBB")}}); // 禄
    click(W<QPushButton>("RzBitBtn1"));
    EXPECT_EQ(result(), QStringLiteral("测算结果:禄"));
}

TEST_F(ZhiwenWindow, AMissingStoreClearsTheResultWithoutAWord) {
    WriteStore({{"xxxxx", StoredForm("\xB8\xA3")}});
    type("xxxxx");
    click(W<QPushButton>("RzBitBtn1"));
    ASSERT_EQ(result(), QStringLiteral("测算结果:福"));
    RemoveStore();
    click(W<QPushButton>("RzBitBtn1"));
    EXPECT_EQ(result(), QString());
    EXPECT_TRUE(errors->shown.isEmpty());
    EXPECT_EQ(beeper->beeps, 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ZhiwenWindow, ClearEmptiesTheCodeAndKeepsTheResult) {
    WriteStore({{"xxxxx", StoredForm("\xB8\xA3")}});
    type("xxxxx");
    click(W<QPushButton>("RzBitBtn1"));
    click(W<QPushButton>("RzBitBtn2"));
    EXPECT_EQ(code(), QString());
    EXPECT_EQ(result(), QStringLiteral("测算结果:福"));
}

TEST_F(ZhiwenWindow, CloseEndsTheModalDisplay) {
    window->hide();
    QTimer::singleShot(0, window.get(), [this] { click(W<QPushButton>("RzBitBtn3")); });
    window->exec();
    EXPECT_FALSE(window->isVisible());
}

TEST(ZhiwenGlobal, ForgetsAWindowThatIsDestroyed) {
    Frmzhiwen = new TFrmzhiwen();
    delete Frmzhiwen;
    EXPECT_EQ(Frmzhiwen, nullptr);
}

} // namespace
