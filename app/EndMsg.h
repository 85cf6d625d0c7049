// SPDX-License-Identifier: GPL-3.0-or-later
// The exit dialog: asks before the program ends and offers to make the partner portal the
// browser's start page.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QPointer>
#include <memory>

QT_BEGIN_NAMESPACE
namespace Ui {
class TFrmMsG;
}
QT_END_NAMESPACE

class TFrmMsG : public QDialog {
    Q_OBJECT
public:
    explicit TFrmMsG(QWidget* parent = nullptr);
    ~TFrmMsG() override;

    void FormCreate();
    void Button1Click(); // yes
    void Button2Click(); // no

    bool Confirmed = false; // only the yes button sets it

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const std::unique_ptr<Ui::TFrmMsG> ui_;
};

extern QPointer<TFrmMsG> FrmMsG; // set while ConfirmExit runs

namespace EndMsg {

// The partner portal. The same bytes serve the comparison and the write, so an address this
// program wrote is recognised on the next exit.
inline constexpr char PortalAddress[] = "http://portal.velmora.example/?400";

// Shows the exit dialog modally; true when the user confirmed the exit.
bool ConfirmExit();

} // namespace EndMsg
