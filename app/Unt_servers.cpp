// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unt_servers.h"

#include "ui_Unt_servers.h"

#include "AccessibleWidgets.h"
#include "Pictures.h"
#include "Platform.h"

QPointer<TFrm_servers> Frm_servers;

TFrm_servers::TFrm_servers(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFrm_servers>()) {
    ui_->setupUi(this);
    // The pictures again at the screen's scale (the form loads the 1x files).
    Platform::SetPicture(ui_->Image1, QStringLiteral(":/images/service_im.jpg"));
    Platform::SetPicture(ui_->Image2, QStringLiteral(":/images/service_phone.jpg"));
    Platform::SetPicture(ui_->Image3, QStringLiteral(":/images/service_mascot.jpg"));
    Platform::SetPicture(ui_->Image4, QStringLiteral(":/images/service_im.jpg"));
    // The icons decorate; the four sections are read out when the dialog opens.
    for (QWidget* icon : {ui_->Image1, ui_->Image2, ui_->Image3, ui_->Image4})
        Widgets::MarkDecorative(icon);
    Widgets::DescribeWith(this, {ui_->Label1, ui_->Label2, ui_->Label5, ui_->Label3, ui_->Label4, ui_->Label6,
                                 ui_->Label7, ui_->Label8});
    Platform::CentreOnScreen(this);
}

TFrm_servers::~TFrm_servers() = default;
