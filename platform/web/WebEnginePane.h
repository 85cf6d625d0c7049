// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WebPane.h"

#include <QPointer>
#include <QSet>
#include <QUrl>
#include <QWidget>

class QWebEngineView;

namespace Platform {

// A web pane drawn by Qt WebEngine inside a placeholder widget of the window's form. The browser
// view is made on the first navigation, so a pane that never loads a page never starts Chromium.
// Pages in the pane cannot open windows of their own.
class WebEnginePane final : public WebPane {
public:
    explicit WebEnginePane(QWidget* place);

    void navigate(const QString& address) override;
    void prepare() override; // makes the browser view
    bool visible() const override;
    void setVisible(bool on) override;
    int top() const override;
    void setTop(int y) override;

    QWidget* place() const { return place_; }
    QWebEngineView* view() const; // null until the first navigation

    // The page at this address was stopped (over its budget): the pane goes back to what it showed
    // before, or to the picture behind it, and never loads the address again in this run.
    void abandon(const QUrl& url);

private:
    QSet<QUrl> abandoned_;
    QUrl current_;  // the address loaded last
    QUrl previous_; // and the one before
    QPointer<QWidget> place_;
    QPointer<QWidget> view_; // a QWebEngineView
};

} // namespace Platform
