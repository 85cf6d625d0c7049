#include "Unt_servers.h"

#include "ui_Unt_servers.h"

#include "Platform.h"

QPointer<TFrm_servers> Frm_servers;

TFrm_servers::TFrm_servers(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFrm_servers>()) {
    ui_->setupUi(this);
    Platform::CentreOnScreen(this);
}

TFrm_servers::~TFrm_servers() = default;
