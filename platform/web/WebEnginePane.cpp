// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebEnginePane.h"

#include "Errors.h"
#include "PaneFocusFrame.h"
#include "PanePolicy.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <QWidget>

namespace Platform {

namespace {

// window.open, target="_blank" and the like ask the view for a new window; refusing here keeps
// every page inside its pane.
class PaneView final : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return nullptr; }
};

} // namespace

WebEnginePane::WebEnginePane(QWidget* place) : place_(place) {
    if (!place)
        throw EVelmoraError(QStringLiteral("web pane without a place in its window"));
}

QWebEngineView* WebEnginePane::view() const {
    return static_cast<QWebEngineView*>(view_.data());
}

void WebEnginePane::prepare() {
    if (place_ && !view_) {
        auto* view = new PaneView(place_);
        Web::PanePage* page = Web::MakePanePage(Web::PanesProfile(), view);
        view->setPage(page);
        QObject::connect(page, &Web::PanePage::givenUp, view, [this](const QUrl& url) { abandon(url); });
        view->setAccessibleName(place_->accessibleName());
        new Web::PaneFocusFrame(view);
        auto* layout = new QVBoxLayout(place_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        view_ = view;
    }
}

void WebEnginePane::navigate(const QString& address) {
    if (!place_ || !IsWebAddress(address))
        return;
    const QUrl url(address);
    if (abandoned_.contains(url))
        return;
    prepare();
    if (url != current_) {
        previous_ = current_;
        current_ = url;
    }
    view()->show();
    static_cast<Web::PanePage*>(view()->page())->open(url);
}

void WebEnginePane::abandon(const QUrl& url) {
    abandoned_.insert(url);
    if (url == current_) {
        current_ = previous_;
        previous_.clear();
    }
    if (!view())
        return;
    // The stopped page's renderer has ended: what the pane showed before is loaded again.
    if (current_.isValid() && !abandoned_.contains(current_))
        static_cast<Web::PanePage*>(view()->page())->open(current_);
    else
        view()->hide();
}

bool WebEnginePane::visible() const {
    return place_ && !place_->isHidden();
}

void WebEnginePane::setVisible(bool on) {
    if (place_)
        place_->setVisible(on);
}

int WebEnginePane::top() const {
    return place_ ? place_->y() : 0;
}

void WebEnginePane::setTop(int y) {
    if (place_)
        place_->move(place_->x(), y);
}

} // namespace Platform
