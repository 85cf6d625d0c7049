// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebEnginePane.h"

#include "Errors.h"
#include "PaneContent.h"
#include "PaneFocusFrame.h"
#include "PanePolicy.h"

#include <QEvent>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <malloc.h>

#include <utility>

namespace Platform {

namespace {

// A page whose renderer keeps ending is loaded again this often, unless it lived a while.
constexpr int kMaxReloads = 3;
constexpr int kLivedMs = 10000;
// An overtaken load's page runs this long after it, a little over the panes' CPU budget window.
constexpr int kOvertakenMs = 11000;

// window.open, target="_blank" and the like ask the view for a new window; refusing here keeps
// every page inside its pane.
class PaneView final : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return nullptr; }
};

// What a dropped page held goes back to the system: the C heap keeps freed pages otherwise.
void TrimHeapSoon() {
    static bool pending = false;
    if (std::exchange(pending, true))
        return;
    QTimer::singleShot(2000, [] {
        pending = false;
        ::malloc_trim(0);
    });
}

QUrl Key(const QUrl& url) {
    return url.adjusted(QUrl::NormalizePathSegments);
}

} // namespace

WebEnginePane::WebEnginePane(QWidget* place) : place_(place) {
    if (!place)
        throw EVelmoraError(QStringLiteral("web pane without a place in its window"));
    place->installEventFilter(this);
}

WebEnginePane::~WebEnginePane() {
    if (QWidget* place = place_.widget())
        place->removeEventFilter(this);
    delete loading_.data();
    delete shown_.data();
}

QWebEngineView* WebEnginePane::makeView() {
    auto* view = new PaneView(place_.widget());
    view->setObjectName(QStringLiteral("PaneLoading"));
    Web::PanePage* page = Web::MakePanePage(Web::PanesProfile(), view);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page->scripts().insert(DocumentSizeWatch());
    connect(page, &Web::PanePage::givenUp, this, [this](const QUrl& url) { abandon(url); });
    view->setAccessibleName(place_.widget()->accessibleName());
    new Web::PaneFocusFrame(view);
    // Chromium's own texts and the pages' language follow the program's, not the user's locale.
    page->profile()->setHttpAcceptLanguage(QStringLiteral("zh-CN,zh"));
    view->setPage(page);
    connect(page, &QWebEnginePage::loadingChanged, this, [this, view](const QWebEngineLoadingInfo& info) {
        if (view != loading_ || !loadStarted_)
            return;
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && !info.isErrorPage())
            loaded(view, loadingUrl_, true);
        else if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
            loaded(view, loadingUrl_, false);
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this, view] { rendererEnded(view); });
    layoutViews();
    view->show(); // drawn beside the pane, where it is not seen
    return view;
}

void WebEnginePane::prepare() {
    if (place_.widget() && !loading_ && !shown_)
        loading_ = makeView();
}

void WebEnginePane::navigate(const QString& address) {
    if (!place_.widget() || !IsWebAddress(address))
        return;
    const QUrl url(address);
    if (!abandoned_.contains(Key(url)))
        load(url);
}

void WebEnginePane::load(const QUrl& url) {
    if (loading_ && loadStarted_) {
        // Overtaken by the next page, it failed; it runs on a while out of sight, so that a page
        // that never finishes for its loop is still caught by its budget and given up.
        QWebEngineView* late = std::exchange(loading_, nullptr);
        loadStarted_ = false;
        QTimer::singleShot(kOvertakenMs, late, &QObject::deleteLater);
        emit settled(loadingUrl_, false);
    }
    if (!loading_)
        loading_ = makeView();
    loadStarted_ = true;
    loadingUrl_ = url;
    static_cast<Web::PanePage*>(loading_->page())->open(url);
}

void WebEnginePane::loaded(QWebEngineView* view, const QUrl& url, bool ok) {
    if (!ok) {
        drop(view, url);
        return;
    }
    QPointer<QWebEngineView> guard(view);
    view->page()->runJavaScript(PageFactsScript(), QWebEngineScript::ApplicationWorld,
                                [this, guard, url](const QVariant& facts) {
                                    if (!guard || guard != loading_ || url != loadingUrl_)
                                        return;
                                    if (ShowablePage(facts))
                                        show(guard, url);
                                    else
                                        drop(guard, url);
                                });
}

void WebEnginePane::show(QWebEngineView* view, const QUrl& url) {
    QWebEngineView* old = shown_;
    if (url != shownUrl_)
        reloads_ = 0;
    shown_ = view;
    shownUrl_ = url;
    shownSince_.start();
    loading_ = nullptr;
    loadStarted_ = false;
    view->setObjectName(QStringLiteral("PaneView"));
    layoutViews();
    view->raise();
    if (old) {
        old->hide();
        old->deleteLater();
        TrimHeapSoon();
    }
    emit settled(url, true);
}

void WebEnginePane::drop(QWebEngineView* view, const QUrl& url) {
    if (view == loading_) {
        loading_ = nullptr;
        loadStarted_ = false;
    }
    view->hide();
    view->deleteLater();
    TrimHeapSoon();
    emit settled(url, false);
}

void WebEnginePane::rendererEnded(QWebEngineView* view) {
    if (view == loading_) {
        if (loadStarted_)
            drop(view, loadingUrl_);
        else
            std::exchange(loading_, nullptr)->deleteLater();
        return;
    }
    if (view != shown_)
        return;
    // The pane shows the picture behind until the page is back.
    view->hide();
    if (shownSince_.elapsed() > kLivedMs)
        reloads_ = 0;
    // Later, so that a page given up together with its renderer is known as such by then.
    QTimer::singleShot(0, this, [this, url = shownUrl_] {
        if (url != shownUrl_ || abandoned_.contains(Key(url)) || reloads_ >= kMaxReloads ||
            (loading_ && loadStarted_))
            return;
        ++reloads_;
        load(url);
    });
}

void WebEnginePane::abandon(const QUrl& url) {
    const QUrl key = Key(url);
    abandoned_.insert(key);
    if (loading_ && loadStarted_ && (Key(loadingUrl_) == key || Key(loading_->url()) == key)) {
        abandoned_.insert(Key(loadingUrl_));
        drop(loading_, loadingUrl_);
    }
    if (shown_ && (Key(shownUrl_) == key || Key(shown_->url()) == key)) {
        abandoned_.insert(Key(shownUrl_));
        shown_->hide();
        shown_->deleteLater();
        shown_ = nullptr;
        shownUrl_.clear();
        TrimHeapSoon();
    }
}

bool WebEnginePane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == place_.widget() && event->type() == QEvent::Resize)
        layoutViews();
    return QObject::eventFilter(watched, event);
}

void WebEnginePane::layoutViews() {
    const QRect rect = place_.widget() ? place_.widget()->rect() : QRect();
    if (shown_)
        shown_->setGeometry(rect);
    if (loading_)
        loading_->setGeometry(rect.translated(rect.width(), 0));
}

} // namespace Platform
