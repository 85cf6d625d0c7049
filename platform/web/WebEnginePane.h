// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WebPane.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <QWidget>

#include <QWebEngineView>

namespace Platform {

// A web pane drawn by Qt WebEngine inside a placeholder widget of the window's form. The browser
// views are made on the first navigation (or prepare()), so a pane that never loads a page never
// starts Chromium. Pages in the pane cannot open windows of their own.
//
// Each address loads in a view of its own, placed beside the pane where it is drawn but not seen.
// Only a page that loaded and may be shown (PaneContent.h) takes the pane's place, already drawn;
// one that failed is dropped, and the pane keeps the page it showed before, or, before its first
// page, the picture behind it. A page whose renderer ends is loaded again.
class WebEnginePane final : public QObject, public WebPane {
    Q_OBJECT
public:
    explicit WebEnginePane(QWidget* place);
    ~WebEnginePane() override;

    void navigate(const QString& address) override;
    void prepare() override; // makes the browser view for the first page
    bool visible() const override { return place_.visible(); }
    void setVisible(bool on) override { place_.setVisible(on); }
    int top() const override { return place_.top(); }
    void setTop(int y) override { place_.setTop(y); }

    // The load of url counts as failed, and url is never loaded again in this pane: a page that
    // showed it gives way to the picture behind.
    void abandon(const QUrl& url);

    QWidget* place() const { return place_.widget(); }
    QWebEngineView* view() const { return shown_; } // the view in the pane; null until a page showed
    QUrl shownUrl() const { return shownUrl_; }

signals:
    // A load came to its end: shown in the pane, or dropped.
    void settled(const QUrl& url, bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWebEngineView* makeView();
    void load(const QUrl& url);
    void loaded(QWebEngineView* view, const QUrl& url, bool ok);
    void show(QWebEngineView* view, const QUrl& url);
    void drop(QWebEngineView* view, const QUrl& url);
    void rendererEnded(QWebEngineView* view);
    void layoutViews();

    PanePlace place_;
    QPointer<QWebEngineView> shown_;   // the page in the pane
    QPointer<QWebEngineView> loading_; // the page on its way, beside the pane
    bool loadStarted_ = false;         // loading_ has been given its address
    QUrl shownUrl_, loadingUrl_;
    QSet<QUrl> abandoned_;
    int reloads_ = 0; // of the shown address after its renderer ended
    QElapsedTimer shownSince_;
};

} // namespace Platform
