// SPDX-License-Identifier: GPL-3.0-or-later
// The exit flow and its dialog, with the start-page offer.
#include "AppTestSupport.h"

#include "EndMsg.h"
#include "Registry.h"
#include "UntReg.h"
#include "Unt_Main.h"
#include "WindowOwner.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <vector>

namespace {

constexpr char Portal[] = "http://portal.velmora.example/?400";
constexpr char HomePage[] = "http://www.velmora.example/index.html";

QCheckBox* box(QDialog* d) {
    return d->findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
}
void press(QDialog* d, const char* button) {
    d->findChild<QPushButton*>(QLatin1String(button))->click();
}

// The start-page value and its type as stored, or nullopt when there is none.
std::optional<std::pair<Platform::Registry::DWORD, QByteArray>> storedStartPage() {
    using namespace Platform::Registry;
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main"), &key);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::pair<DWORD, QByteArray>> result;
    if (RegQueryValueEx(key, QStringLiteral("Start Page"), &type, nullptr, &size) == ERROR_SUCCESS) {
        QByteArray data(size, '\0');
        RegQueryValueEx(key, QStringLiteral("Start Page"), &type, reinterpret_cast<BYTE*>(data.data()),
                        &size);
        result = std::make_pair(type, data);
    }
    RegCloseKey(key);
    return result;
}

class ExitFlow : public MainWindowFixture {
protected:
    void clickClose() {
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("RzButton7")), Qt::LeftButton);
    }
};

TEST_F(ExitFlow, DecliningFromTheButtonChangesNothing) {
    ModalAnswerer answer([](QDialog* d) {
        EXPECT_TRUE(box(d)->isChecked());
        press(d, "Button2");
    });
    clickClose();
    EXPECT_EQ(answer.count, 1);
    EXPECT_EQ(quits_, 0);
    EXPECT_TRUE(launcher_->pages.isEmpty());
    EXPECT_TRUE(errors_->shown.isEmpty()); // the silent abort shows nothing
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(storedStartPage()); // nothing written, whatever the box showed
    EXPECT_TRUE(hive().contains("[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main]"));
    EXPECT_TRUE(FrmMsG.isNull()); // the dialog is gone once the answer is in
}

TEST_F(ExitFlow, ConfirmingFromTheButtonQuitsOpensTheHomePageAndSetsThePortal) {
    ModalAnswerer answer([](QDialog* d) { press(d, "Button1"); });
    clickClose();
    EXPECT_EQ(answer.count, 1);
    EXPECT_EQ(quits_, 1);
    EXPECT_EQ(launcher_->pages, QStringList{HomePage});
    const auto stored = storedStartPage();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->first, Platform::Registry::REG_SZ);
    EXPECT_EQ(stored->second, QByteArray(Portal, sizeof Portal)); // the address and one zero byte
    EXPECT_TRUE(errors_->shown.isEmpty());
}

TEST_F(ExitFlow, DecliningFromTheCloseBoxKeepsTheWindowOpen) {
    ModalAnswerer answer([](QDialog* d) { press(d, "Button2"); });
    EXPECT_FALSE(window_->close());
    EXPECT_EQ(answer.count, 1);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(quits_, 0);
    EXPECT_TRUE(launcher_->pages.isEmpty());
    EXPECT_TRUE(errors_->shown.isEmpty());
}

TEST_F(ExitFlow, ConfirmingFromTheCloseBoxAsksOnce) {
    ModalAnswerer answer([](QDialog* d) { press(d, "Button1"); });
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(answer.count, 1);
    EXPECT_EQ(quits_, 1);
    EXPECT_EQ(launcher_->pages, QStringList{HomePage});
    // The close requests that follow a confirmed exit (the quit closing windows, the session's end)
    // do not ask again.
    window_->show();
    EXPECT_TRUE(window_->close());
    QCoreApplication::processEvents();
    EXPECT_EQ(answer.count, 1);
    EXPECT_EQ(quits_, 1);
}

// ---- The start-page offer ----

struct Offer {
    const char* label;
    QByteArray stored;
    bool boxShown;
};

class StartPageOffer : public ExitFlow, public ::testing::WithParamInterface<Offer> {};

TEST_P(StartPageOffer, TheBoxIsHiddenOnlyWhenThePortalIsAlreadyTheStartPage) {
    UntReg::SetStartPage(GetParam().stored);
    const QByteArray before = hive();
    ModalAnswerer answer([&](QDialog* d) {
        EXPECT_EQ(!box(d)->isHidden(), GetParam().boxShown);
        EXPECT_EQ(box(d)->isChecked(), GetParam().boxShown);
        if (GetParam().boxShown)
            box(d)->setChecked(false); // unchecked and yes: nothing is written
        press(d, "Button1");
    });
    clickClose();
    EXPECT_EQ(answer.count, 1);
    EXPECT_EQ(quits_, 1);
    EXPECT_EQ(hive(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StartPageOffer,
    ::testing::Values(Offer{"exact", Portal, false},
                      Offer{"paddedWithSpaces", QByteArray("  ") + Portal + " ", false},
                      Offer{"paddedWithLineBreaks", QByteArray("\t") + Portal + "\r\n", false},
                      Offer{"otherCase", "HTTP://PORTAL.VELMORA.EXAMPLE/?400", true},
                      Offer{"insideLongerText", QByteArray(Portal) + "&from=x", true},
                      Offer{"other", "http://elsewhere.example/", true}, Offer{"empty", "", true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ExitFlow, AfterTheWriteTheNextDialogHidesTheBox) {
    ModalAnswerer answer([](QDialog* d) { press(d, "Button1"); });
    clickClose();
    TFrmMsG next;
    EXPECT_TRUE(box(&next)->isHidden());
    EXPECT_FALSE(box(&next)->isChecked());
}

TEST_F(ExitFlow, AStartPageOfAnotherTypeIsReportedAndTheBoxStays) {
    using namespace Platform::Registry;
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main"), &key);
    const BYTE one[4] = {1, 0, 0, 0};
    RegSetValueEx(key, QStringLiteral("Start Page"), REG_DWORD, one, 4);
    RegCloseKey(key);

    TFrmMsG dialog;
    // "'" sorts before ".", so the box adds no full stop.
    EXPECT_EQ(errors_->shown, QStringList{QStringLiteral("Invalid data type for 'Start Page'")});
    EXPECT_FALSE(box(&dialog)->isHidden());
    EXPECT_TRUE(box(&dialog)->isChecked());
}

TEST_F(ExitFlow, AFailedWriteIsReportedClosesTheDialogAndDoesNotExit) {
    const QByteArray damaged = "this is no hive\n";
    writeHive(damaged);
    ModalAnswerer answer([](QDialog* d) {
        EXPECT_FALSE(box(d)->isHidden()); // reading gave empty text
        press(d, "Button1");
    });
    clickClose();
    EXPECT_EQ(answer.count, 1);
    EXPECT_EQ(errors_->shown, QStringList{QStringLiteral("Failed to set data for 'Start Page'")});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(quits_, 0);
    EXPECT_TRUE(launcher_->pages.isEmpty());
    EXPECT_EQ(hive(), damaged);
}

// ---- The dialog itself ----

TEST_F(AppFixture, ExitDialogLayoutAndKeys) {
    std::optional<bool> confirmed;
    {
        ModalAnswerer answer([&](QDialog* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("退出系统"));
            EXPECT_EQ(d->size(), QSize(236, 101));
            EXPECT_EQ(d->pos(), QPoint(500, 303));
            EXPECT_FALSE(d->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
            ASSERT_TRUE(d->focusWidget());
            EXPECT_EQ(d->focusWidget()->objectName(), QStringLiteral("Button1"));
            QTest::keyClick(d, Qt::Key_Escape);
            EXPECT_TRUE(d->isVisible()); // Escape does nothing
            d->close();                  // a close request from the system counts as no
        });
        confirmed = EndMsg::ConfirmExit();
        EXPECT_EQ(confirmed, false);
    }

    ModalAnswerer enter([&](QDialog* d) { QTest::keyClick(d->focusWidget(), Qt::Key_Return); });
    EXPECT_TRUE(EndMsg::ConfirmExit()); // at first Enter means yes
}

// Enter clicks the focused button; on the check box it does nothing, whichever button had the
// focus before.
struct EnterRow {
    const char* name;
    std::vector<const char*> focus; // the widgets focused in turn; Enter goes to the last
    std::optional<bool> answer;     // nullopt: the dialog stays open
};
void PrintTo(const EnterRow& r, std::ostream* os) {
    *os << r.name;
}
class ExitDialogEnter : public AppFixture, public ::testing::WithParamInterface<EnterRow> {};

TEST_P(ExitDialogEnter, ClicksTheFocusedButtonOnly) {
    TFrmMsG dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (const char* name : GetParam().focus)
        dialog.findChild<QWidget*>(QLatin1String(name))->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(dialog.focusWidget()->objectName(), QLatin1String(GetParam().focus.back()));
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->isDefault());
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->isDefault());
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    if (GetParam().answer) {
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Confirmed, *GetParam().answer);
    } else {
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.Confirmed);
        EXPECT_TRUE(box(&dialog)->isChecked()); // Enter does not toggle it either
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExitDialogEnter,
    ::testing::Values(EnterRow{"Yes", {"Button1"}, true}, EnterRow{"No", {"Button1", "Button2"}, false},
                      EnterRow{"CheckBoxAfterNo", {"Button2", "CheckBox1"}, std::nullopt},
                      EnterRow{"CheckBoxAfterYes", {"Button1", "CheckBox1"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
