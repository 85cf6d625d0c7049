// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unt_servers.h"

#include "ui_Unt_servers.h"

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
    Platform::CentreOnScreen(this);
}

TFrm_servers::~TFrm_servers() = default;
