// SPDX-License-Identifier: GPL-3.0-or-later
// The divination movie window: a window of its own around the Flash movie control, opened without
// blocking, one new window per request.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

#include <memory>

namespace Platform {
class MovieControl;
}

QT_BEGIN_NAMESPACE
namespace Ui {
class TFrmFlash;
}
QT_END_NAMESPACE

class TFrmFlash : public QDialog {
    Q_OBJECT
public:
    // Throws when the movie control cannot be created.
    explicit TFrmFlash(QWidget* parent = nullptr);
    ~TFrmFlash() override;

    Platform::MovieControl* ShockwaveFlash1 = nullptr;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    std::unique_ptr<Ui::TFrmFlash> ui_;
};

// The newest movie window; null before the first one and after a window failed to be created.
extern QPointer<TFrmFlash> FrmFlash;

namespace Flash {

// Divination kinds: 0 eye shape, 1 palm reading, 2 temple sticks, 3 moon blocks.
// Opens a new movie window for the kind and returns at once. Any other kind opens a window with
// the caption "FrmFlash" and no movie. Throws when the window cannot be created.
void ShowDivinationMovie(int kind);

} // namespace Flash
