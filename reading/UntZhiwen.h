// SPDX-License-Identifier: GPL-3.0-or-later
// The fingerprint window: the user types a code of up to five letters o/x (thumb first; o a whorl,
// x a loop) and "测算" shows the character reading the readings store holds for it.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

QT_BEGIN_NAMESPACE
namespace Ui {
class TFrmzhiwen;
}
QT_END_NAMESPACE

class TFrmzhiwen : public QDialog {
    Q_OBJECT
public:
    explicit TFrmzhiwen(QWidget* parent = nullptr);
    ~TFrmzhiwen() override;

    // Key is the typed character; setting it to 0 discards it.
    void RzEditOXKeyPress(QChar& Key);
    void RzBitBtn1Click(); // "测算": query and show the reading
    void RzBitBtn2Click(); // "清除": empty the code box
    void RzBitBtn3Click(); // "关闭"

    // The code box's paste: only the letters o and x of the pasted text are inserted.
    void PasteCode(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool codeBoxKeyPress(class QKeyEvent* event);
    void codeBoxContextMenu(class QContextMenuEvent* event);
    const std::unique_ptr<Ui::TFrmzhiwen> ui_;
    bool readingByMouse_ = false; // how the latest press of "测算" began
};

// The window from the last press of the main window's fingerprint button (null before the first
// and once that window is destroyed).
extern QPointer<TFrmzhiwen> Frmzhiwen;
