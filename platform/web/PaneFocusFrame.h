// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace Platform::Web {

// A frame drawn over a web view while the keyboard focus is inside it, so that a keyboard user
// sees which pane Tab has reached. It takes no input: clicks go through to the page.
class PaneFocusFrame final : public QWidget {
public:
    explicit PaneFocusFrame(QWidget* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();
    QWidget* view_;
};

} // namespace Platform::Web
