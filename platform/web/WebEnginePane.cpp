// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebEnginePane.h"

#include "Errors.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineSettings>
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
        view->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        auto* layout = new QVBoxLayout(place_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        view_ = view;
    }
}

void WebEnginePane::navigate(const QString& address) {
    if (!place_ || !IsWebAddress(address))
        return;
    prepare();
    view()->load(QUrl(address));
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
