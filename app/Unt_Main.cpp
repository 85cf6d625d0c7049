// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unt_Main.h"

#include "ui_Unt_Main.h"

#include "AccessibleWidgets.h"
#include "DateWin.h"
#include "EndMsg.h"
#include "Errors.h"
#include "Pictures.h"
#include "Platform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSessionManager>

QPointer<TFrmmain> Frmmain;

namespace {

const QString HomePage = QStringLiteral("http://www.velmora.example/index.html");
const QString SiteRoot = QStringLiteral("http://www.velmora.example/");
// The recommended product that Label3 names and the banner advertises.
const QString RecommendedPage = QStringLiteral("http://soft.velmora.example/bazi-master.html");
const QString Label2Page = QStringLiteral("http://soft.velmora.example/ziwei-expert.html");
const QString Label4Page = QStringLiteral("http://soft.velmora.example/liuyao.html");
const QString Label1Page = QStringLiteral("http://soft.velmora.example/name-test.html");
const QString Label17Page = QStringLiteral("http://soft.velmora.example/wubi-helper.html");
const QString Label11Download = QStringLiteral("http://down.velmora.example/jisukantu_setup.exe");
const QString Label15Download = QStringLiteral("http://down.velmora.example/yunyasuo_setup.exe");
const QString Label16Download = QStringLiteral("http://down.velmora.example/yueting_setup.exe");

} // namespace

TFrmmain::TFrmmain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      RequestQuit([] { QCoreApplication::exit(0); }), ui_(std::make_unique<Ui::TFrmmain>()) {
    ui_->setupUi(this);
    // The pictures again at the screen's scale (the form loads the 1x files).
    Platform::SetPicture(ui_->Image1, QStringLiteral(":/images/banner.jpg"));
    Platform::SetPicture(ui_->Image16, QStringLiteral(":/images/strip.gif"));
    Platform::SetPicture(ui_->Image2, QStringLiteral(":/images/frame.gif"));
    Platform::SetPicture(ui_->Image15, QStringLiteral(":/images/scene.jpg"));

    // Pictures lie under everything else in their panels.
    for (QWidget* picture : {static_cast<QWidget*>(ui_->Image1), static_cast<QWidget*>(ui_->Image16),
                             static_cast<QWidget*>(ui_->Image2), static_cast<QWidget*>(ui_->Image15)})
        picture->lower();
    // The banner acts (it opens the page of the product it advertises); the other three only
    // decorate.
    ui_->Image1->setAccessibleName(QStringLiteral("横幅广告：") + ui_->Label3->text());
    for (QWidget* picture : {static_cast<QWidget*>(ui_->Image16), static_cast<QWidget*>(ui_->Image2),
                             static_cast<QWidget*>(ui_->Image15)})
        Widgets::MarkDecorative(picture);

    const auto onClick = [this](QPushButton* button, void (TFrmmain::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                Platform::Guarded([this, handler] { (this->*handler)(); }));
    };
    onClick(ui_->RzButton1, &TFrmmain::RzButton1Click);
    onClick(ui_->RzButton2, &TFrmmain::RzButton2Click);
    onClick(ui_->RzButton3, &TFrmmain::RzButton3Click);
    onClick(ui_->RzButton4, &TFrmmain::RzButton4Click);
    onClick(ui_->RzButton5, &TFrmmain::RzButton5Click);
    onClick(ui_->RzButton6, &TFrmmain::RzButton6Click);
    onClick(ui_->RzButton7, &TFrmmain::RzButton7Click);
    onClick(ui_->RzButton8, &TFrmmain::RzButton8Click);

    const auto onLabel = [this](ClickLabel* label, void (TFrmmain::*handler)()) {
        connect(label, &ClickLabel::Click, this, Platform::Guarded([this, handler] { (this->*handler)(); }));
    };
    onLabel(ui_->Label1, &TFrmmain::Label1Click);
    onLabel(ui_->Label2, &TFrmmain::Label2Click);
    onLabel(ui_->Label4, &TFrmmain::Label4Click);
    onLabel(ui_->Label11, &TFrmmain::Label11Click);
    onLabel(ui_->Label15, &TFrmmain::Label15Click);
    onLabel(ui_->Label16, &TFrmmain::Label16Click);
    onLabel(ui_->Label17, &TFrmmain::Label17Click);
    for (ClickLabel* shared : {ui_->Image1, ui_->Label3, ui_->Label5, ui_->Label6, ui_->Label7, ui_->Label8,
                               ui_->Label9, ui_->Label10, ui_->Label12, ui_->Label13, ui_->Label14})
        onLabel(shared, &TFrmmain::Label3Click);

    // Tab: the buttons in their own order first, then the links from the top of the column down,
    // then the banner; the first button has the focus when the window opens.
    QWidget* previous = ui_->RzButton8;
    for (QWidget* next : std::initializer_list<QWidget*>{
             ui_->Label2, ui_->Label3, ui_->Label4, ui_->Label1, ui_->Label5, ui_->Label6, ui_->Label7,
             ui_->Label8, ui_->Label9, ui_->Label10, ui_->Label12, ui_->Label13, ui_->Label14, ui_->Label11,
             ui_->Label15, ui_->Label16, ui_->Label17, ui_->Image1}) {
        setTabOrder(previous, next);
        previous = next;
    }
    ui_->RzButton1->setFocus();

#if QT_CONFIG(sessionmanager)
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TFrmmain::SessionQuery);
#endif

    // The promotion panes start here: an error is shown and the window is still created.
    Platform::Guard([this] { FormCreate(); });
}

TFrmmain::~TFrmmain() {
    delete FRM_Date; // a closed calendar is no longer owned by the application
}

void TFrmmain::RzButton6Click() {
    Platform::OpenInBrowser(SiteRoot);
}

void TFrmmain::RzButton8Click() {
    Platform::OpenInBrowser(HomePage);
}

void TFrmmain::Label1Click() {
    Platform::OpenInBrowser(Label1Page);
}

void TFrmmain::Label2Click() {
    Platform::OpenInBrowser(Label2Page);
}

void TFrmmain::Label3Click() {
    Platform::OpenInBrowser(RecommendedPage);
}

void TFrmmain::Label4Click() {
    Platform::OpenInBrowser(Label4Page);
}

void TFrmmain::Label11Click() {
    Platform::OpenInBrowser(Label11Download);
}

void TFrmmain::Label15Click() {
    Platform::OpenInBrowser(Label15Download);
}

void TFrmmain::Label16Click() {
    Platform::OpenInBrowser(Label16Download);
}

void TFrmmain::Label17Click() {
    Platform::OpenInBrowser(Label17Page);
}

// ---- The exit flow ----

void TFrmmain::ExitFlow() {
    if (!EndMsg::ConfirmExit())
        Platform::Abort();
    exitConfirmed_ = true;
    RequestQuit();
    Platform::OpenInBrowser(HomePage); // while the window still exists
}

void TFrmmain::RzButton7Click() {
    ExitFlow();
}

void TFrmmain::FormCloseQuery(bool& CanClose) {
    (void)CanClose; // never changed: on yes the close goes ahead; on no the abort cancels it
    if (exitConfirmed_)
        return; // the close that follows a confirmed exit asks nothing again
    ExitFlow();
}

// A button of the row ignores Return (only dialogs give their buttons that key): here it presses
// the focused button, as Space does.
void TFrmmain::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && button &&
        button->isEnabled() && button->window() == this) {
        event->accept();
        if (!event->isAutoRepeat())
            button->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TFrmmain::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    bool finished = false;
    Platform::Guard([&] {
        FormCloseQuery(canClose);
        finished = true;
    });
    if (finished && canClose)
        event->accept();
    else
        event->ignore();
}

// Log-off or shutdown: the session manager asks whether the program may end. Declining cancels
// the session's end; confirming lets it go on. Without leave to interact nothing can be asked,
// and the program has nothing to save, so it lets the session end.
void TFrmmain::SessionQuery(QSessionManager& manager) {
#if QT_CONFIG(sessionmanager)
    if (exitConfirmed_ || !manager.allowsInteraction())
        return;
    bool canClose = true;
    bool finished = false;
    Platform::Guard([&] {
        FormCloseQuery(canClose);
        finished = true;
    });
    manager.release();
    if (!finished || !canClose)
        manager.cancel();
#else
    (void)manager;
#endif
}
