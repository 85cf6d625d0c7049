// SPDX-License-Identifier: GPL-3.0-or-later
// The customer-service dialog: how to reach the maker for business, by telephone, messenger and mail.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

QT_BEGIN_NAMESPACE
namespace Ui {
class TFrm_servers;
}
QT_END_NAMESPACE

class TFrm_servers : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_servers(QWidget* parent = nullptr);
    ~TFrm_servers() override;

private:
    const std::unique_ptr<Ui::TFrm_servers> ui_;
};

extern QPointer<TFrm_servers> Frm_servers;
