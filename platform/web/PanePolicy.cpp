// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanePolicy.h"

#include "Logging.h"
#include "PaneBudget.h"

#include <QColor>
#include <QCoreApplication>
#include <QPointer>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

#include <csignal>

namespace Platform::Web {

namespace {

bool isWeb(const QUrl& url) {
    const QString scheme = url.scheme();
    return (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

// What the page makes itself: its own data and blob addresses, and the empty documents of its
// frames.
bool isPagesOwn(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == u"data" || scheme == u"blob" || url == QUrl(QStringLiteral("about:blank")) ||
           url == QUrl(QStringLiteral("about:srcdoc"));
}

// Every request of every pane page passes here, subresources and redirects included.
class PaneRequestFilter final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    // Stops qrc: (our own pictures: a page could show them or probe which exist), file:, and the
    // engine's internal schemes; a redirect to any of them is a request like another.
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (!IsPaneResource(info.requestUrl()))
            info.block(true);
    }
};

// Qt WebEngine asks its "leave this page?" question through javaScriptConfirm, in its own words.
QString leavePageQuestion() {
    return QCoreApplication::translate(
        "QWebEnginePage",
        "Are you sure you want to leave this page? Changes that you made may not be saved.");
}

} // namespace

bool IsPaneNavigation(const QUrl& url, bool mainFrame) {
    return isWeb(url) || (!mainFrame && isPagesOwn(url));
}

bool IsPaneResource(const QUrl& url) {
    return isWeb(url) || isPagesOwn(url);
}

QWebEngineProfile* PanesProfile() {
    static QPointer<QWebEngineProfile> profile;
    if (profile)
        return profile;
    // No storage name: off the record. Cookies, caches and storage live in memory and die with the
    // run; nothing the pages do is written to the disk.
    profile = new QWebEngineProfile(QCoreApplication::instance());
    profile->setUrlRequestInterceptor(new PaneRequestFilter(profile));
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setSpellCheckEnabled(false);
    // Off the record, what pages store (IndexedDB, the cache storage, localStorage) is held in
    // this process's memory, up to a share of the machine's: a page filled it by hundreds of MiB.
    // Refusing cookies to every page refuses them all of it.
    profile->cookieStore()->setCookieFilter(
        [](const QWebEngineCookieStore::FilterRequest&) { return false; });
    // Downloads (a link with download=, a file served as an attachment) never make a file.
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest* download) { download->cancel(); });

    QWebEngineSettings* settings = profile->settings();
    // window.open and target=_blank: no new window (createWindow below refuses them as well).
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // The clipboard: neither read nor written by a page.
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    // A page may not take the screen, record it, or run plugins and the PDF viewer.
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    settings->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    // WebRTC does not tell a page the machine's local addresses.
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    // A file dropped on a pane does not become its page; an https page loads nothing over http.
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    // Loading a page does not take the keyboard from the window the user is typing in.
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    return profile;
}

PanePage::PanePage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), budget_(new PaneBudget(this)) {
    // Until its first page has loaded, the pane lets the picture behind it show instead of a
    // white square; a page that never loads leaves the picture.
    setBackgroundColor(Qt::transparent);
    connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok && backgroundColor() == Qt::transparent)
            setBackgroundColor(Qt::white);
    });

    // Notifications, geolocation, camera, microphone, pointer lock, screen capture: all refused,
    // without asking the user.
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    // A page may not make itself the desktop's handler of mailto: or any other scheme.
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    // showDirectoryPicker() and the file system access API: never a file or a folder.
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });

    // Memory and CPU: the page's renderer is watched from the moment it exists.
    budget_->follow([this] { return renderProcessPid(); });
    // The main frame's address changes when a document arrives (not when its loading starts).
    connect(this, &QWebEnginePage::urlChanged, this, [this] { marks_[1].arrived = true; });
    // Connected before the pane connects its own handler: a renderer ended for its memory is
    // given up before the pane could take it for a crash and load the page again.
    connect(this, &QWebEnginePage::renderProcessTerminated, budget_,
            [this](RenderProcessTerminationStatus status) {
                if (status != NormalTerminationStatus)
                    budget_->ended();
            });
    connect(budget_, &PaneBudget::exceeded, this, &PanePage::giveUp);
}

// Only http: and https: pages, for the page's frames also the data: and blob: documents it makes
// itself; asked for every navigation: links, location=, forms, redirects, frames. A mailto:,
// ssh:, smb:, irc: or apt: address (or any other scheme) would otherwise go to the desktop's
// handler of that scheme with the page's arguments; file: and qrc: would show our files.
bool PanePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    Q_UNUSED(type);
    return IsPaneNavigation(url, isMainFrame);
}

void PanePage::open(const QUrl& address) {
    marks_[0] = marks_[1];
    marks_[1] = {address, false};
    overBudget_ = false;
    load(address);
}

// No JavaScript dialog ever: each would be a window of its own that blocks the whole program.
void PanePage::javaScriptAlert(const QUrl&, const QString&) {}

// confirm() hears "cancel". The "leave this page?" question of a page's beforeunload handler
// hears "leave": the rotation goes on.
bool PanePage::javaScriptConfirm(const QUrl&, const QString& message) {
    return message == leavePageQuestion();
}

// prompt() hears "cancel": the user is never asked to type anything for a page.
bool PanePage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) {
    return false;
}

// <input type=file> and folder uploads: no chooser, no file.
QStringList PanePage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) {
    return {};
}

// window.open, target=_blank and the like: the page stays in its pane.
QUrl PanePage::running() const {
    return marks_[1].arrived || marks_[0].address.isEmpty() ? marks_[1].address : marks_[0].address;
}

QWebEnginePage* PanePage::createWindow(WebWindowType) {
    return nullptr;
}

// Over its budget the page is stopped; a renderer in a loop or holding the memory does not stop
// by being asked, so it is ended. The pane is told first, so that it does not take the ended
// renderer for one that crashed and load the page again.
void PanePage::giveUp(const QString& why) {
    if (overBudget_)
        return;
    overBudget_ = true;
    const QUrl culprit = running();
    qCWarning(lcWeb, "velmora: a pane's page %s was stopped: %s", qPrintable(culprit.toDisplayString()),
              qPrintable(why));
    emit givenUp(culprit);
    const qint64 pid = renderProcessPid();
    triggerAction(Stop);
    if (pid > 0)
        ::kill(pid_t(pid), SIGKILL);
}

PanePage* MakePanePage(QWebEngineProfile* profile, QObject* parent) {
    return new PanePage(profile, parent);
}

} // namespace Platform::Web
