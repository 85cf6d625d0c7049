// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndMsg.h"

#include "ui_EndMsg.h"

#include "AccessibleWidgets.h"
#include "Errors.h"
#include "Pictures.h"
#include "Platform.h"
#include "Text.h"
#include "UntReg.h"
#include "WindowOwner.h"

#include <QKeyEvent>
#include <QPushButton>

#include <memory>

QPointer<TFrmMsG> FrmMsG;

namespace {

constexpr QPoint FixedPosition{500, 303};

} // namespace

TFrmMsG::TFrmMsG(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TFrmMsG>()) {
    ui_->setupUi(this);
    // The pictures again at the screen's scale (the form loads the 1x files).
    Platform::SetPicture(ui_->Image1, QStringLiteral(":/images/question.jpg"));
    Platform::PlaceOnScreen(this, FixedPosition);
    Widgets::MarkDecorative(ui_->Image1);
    Widgets::DescribeWith(this, {ui_->Label1});

    // Each button ends the dialog even when its handler fails: the result is set first, as the
    // button's modal result would be, and the dialog is closed after the handler whatever happened.
    connect(ui_->Button1, &QPushButton::clicked, this, [this] {
        setResult(QDialog::Accepted);
        Platform::Guard([this] { Button1Click(); });
        if (isVisible())
            done(QDialog::Accepted);
    });
    connect(ui_->Button2, &QPushButton::clicked, this, [this] {
        setResult(QDialog::Rejected);
        Platform::Guard([this] { Button2Click(); });
        if (isVisible())
            done(QDialog::Rejected);
    });
    ui_->Button1->setFocus();

    Platform::Guard([this] { FormCreate(); });
}

TFrmMsG::~TFrmMsG() = default;

void TFrmMsG::FormCreate() {
    if (Platform::Trim(UntReg::GetStartPage()) == QByteArray(EndMsg::PortalAddress)) {
        ui_->CheckBox1->setChecked(false);
        ui_->CheckBox1->setVisible(false);
    }
}

void TFrmMsG::Button1Click() {
    if (ui_->CheckBox1->isChecked())
        UntReg::SetStartPage(QByteArray(EndMsg::PortalAddress));
    Confirmed = true;
    close();
}

void TFrmMsG::Button2Click() {
    Confirmed = false;
    close();
}

void TFrmMsG::keyPressEvent(QKeyEvent* event) {
    // Escape does nothing here: the dialog has no cancel button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    // Neither button is a default button: Enter clicks the focused button, and does nothing when
    // the focus is on the check box.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

namespace EndMsg {

bool ConfirmExit() {
    auto dialog = std::make_unique<TFrmMsG>();
    FrmMsG = dialog.get();
    Platform::Own(dialog.get());
    dialog->exec();
    const bool confirmed = dialog->Confirmed;
    dialog.reset();
    return confirmed;
}

} // namespace EndMsg
