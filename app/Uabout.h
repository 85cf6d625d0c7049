// SPDX-License-Identifier: GPL-3.0-or-later
// The About dialog: the maker, a contact and the support mail link.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

QT_BEGIN_NAMESPACE
namespace Ui {
class TAbout;
}
QT_END_NAMESPACE

class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);
    ~TAbout() override;

    static constexpr char SupportMail[] = "support@velmora.example";

private:
    const std::unique_ptr<Ui::TAbout> ui_;
};

extern QPointer<TAbout> About;
