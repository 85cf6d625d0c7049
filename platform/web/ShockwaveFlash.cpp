// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShockwaveFlash.h"

#include "Errors.h"
#include "PaneBudget.h"
#include "Platform.h"
#include "WebEngineEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHideEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QShowEvent>
#include <QStackedLayout>
#include <QTimer>
#include <QUrl>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <malloc.h>

#include <utility>

namespace Platform {

namespace {

const char* const kPage = "ShockwaveFlash.html";

// Chromium's helper program; without it QtWebEngine ends the whole process instead of failing.
bool webEngineHelperFound() {
    const QByteArray env = qgetenv("QTWEBENGINEPROCESS_PATH");
    if (!env.isEmpty())
        return QFileInfo(QFile::decodeName(env)).isExecutable();
    const QString name = QStringLiteral("/QtWebEngineProcess");
    return QFileInfo(QCoreApplication::applicationDirPath() + name).isExecutable() ||
           QFileInfo(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + name).isExecutable();
}

// qwebchannel.js comes from Qt's resources; the page is a file: page and may not load qrc: scripts.
QWebEngineScript channelScript() {
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly))
        throw EVelmoraError(QStringLiteral("无法创建影片播放控件：缺少 Qt WebChannel 组件"));
    QWebEngineScript script;
    script.setName(QStringLiteral("qwebchannel"));
    script.setSourceCode(QString::fromUtf8(file.readAll()));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    return script;
}

} // namespace

// The page's way back to the control, published on the web channel as "player".
class ShockwaveFlashBridge : public QObject {
    Q_OBJECT
    // The movie's file: URL, read by the page once its channel is up.
    Q_PROPERTY(QString movieUrl MEMBER movieUrl CONSTANT)
public:
    QString movieUrl;

    explicit ShockwaveFlashBridge(ShockwaveFlash* control) : QObject(control), control_(control) {}

    Q_INVOKABLE void metadata(double frameRate, int width, int height) {
        emit control_->loaded(frameRate, width, height);
    }
    Q_INVOKABLE void firstFrame() { emit control_->firstFrameDrawn(); }
    Q_INVOKABLE void failed() {
        control_->showMessage(
            QStringLiteral("无法播放影片文件：%1").arg(QDir::toNativeSeparators(control_->movie_)));
    }

private:
    ShockwaveFlash* control_;
};

QString ShockwaveFlash::PlayerFolder() {
    return ProgramPath() + QStringLiteral("ruffle/");
}

ShockwaveFlash::ShockwaveFlash(QWidget* parent) : MovieControl(parent) {
    const QString folder = PlayerFolder();
    for (const QString& name : {QStringLiteral("ruffle.js"), QString::fromLatin1(kPage)}) {
        if (!QFileInfo(folder + name).isFile())
            throw EVelmoraError(QStringLiteral("无法创建影片播放控件：找不到 Flash 播放器文件 %1")
                                    .arg(QDir::toNativeSeparators(folder + name)));
    }
    if (!webEngineHelperFound())
        throw EVelmoraError(
            QStringLiteral("无法创建影片播放控件：找不到网页引擎的辅助程序 QtWebEngineProcess"));

    PrepareWebEngineForLocalContent();
    // What the player makes our process hold is not the panes' doing.
    Web::PaneBudget::rebaseHost();

    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);

    bridge_ = new ShockwaveFlashBridge(this);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("MessageLabel"));
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_->setMargin(16);

    stack_->addWidget(message_);
    makeView();
    stack_->setCurrentWidget(view_);
}

void ShockwaveFlash::makeView() {
    view_ = new QWebEngineView(this);
    view_->setObjectName(QStringLiteral("PlayerView"));
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    QWebEnginePage* page = view_->page();
    QWebEngineSettings* settings = page->settings();
    // Movies have sound from their first frame; nobody clicks before it starts.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    page->setBackgroundColor(palette().color(QPalette::Window));
    page->scripts().insert(channelScript());

    auto* channel = new QWebChannel(page);
    channel->registerObject(QStringLiteral("player"), bridge_);
    page->setWebChannel(channel);

    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    showMessage(QStringLiteral("影片播放器意外退出。"));
            });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!ok)
            showMessage(QStringLiteral("无法打开 Flash 播放器页面。"));
    });
    stack_->insertWidget(0, view_);
}

ShockwaveFlash::~ShockwaveFlash() = default;

void ShockwaveFlash::SetMovie(const QString& path) {
    if (!view_)
        makeView();
    movie_ = path;
    bridge_->movieUrl.clear();
    message_->clear();
    if (path.isEmpty()) {
        view_->setUrl(QUrl(QStringLiteral("about:blank")));
        stack_->setCurrentWidget(view_);
        return;
    }
    // Ruffle answers a missing file: URL with an English panel about the file: protocol; say it
    // plainly ourselves instead.
    const QFileInfo file(path);
    if (!file.isFile()) {
        showMessage(QStringLiteral("找不到影片文件：%1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    // The URL goes over the web channel, so no character of the path needs escaping for the page.
    bridge_->movieUrl = QString::fromUtf8(QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded());
    stack_->setCurrentWidget(view_);
    view_->setUrl(QUrl::fromLocalFile(PlayerFolder() + QLatin1String(kPage)));
}

// A closed movie window is only hidden and lives on until the program ends: it must fall silent
// and give its player's memory back. Muting covers sound already queued; the browser view goes
// (its renderer process ends with it) once the control has stayed hidden, and a new one plays the
// movie afresh if the window shows again. A minimised window is hidden spontaneously: it keeps its
// page, which stops while hidden.
void ShockwaveFlash::showEvent(QShowEvent* event) {
    MovieControl::showEvent(event);
    Web::PaneBudget::rebaseHost();
    if (!view_) {
        makeView();
        SetMovie(movie_);
        return;
    }
    QWebEnginePage* page = view_->page();
    page->setAudioMuted(false);
    if (page->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
}

void ShockwaveFlash::hideEvent(QHideEvent* event) {
    MovieControl::hideEvent(event);
    if (event->spontaneous() || !view_)
        return;
    view_->page()->setAudioMuted(true);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible() || !view_)
                return;
            stack_->removeWidget(view_);
            delete std::exchange(view_, nullptr);
            // The browser side frees the page's state as its renderer goes; the C heap keeps
            // those pages unless asked to give them back (some 8 MiB after a movie).
            QTimer::singleShot(2000, [] { ::malloc_trim(0); });
        },
        Qt::QueuedConnection);
}

QString ShockwaveFlash::Message() const {
    return stack_->currentWidget() == message_ ? message_->text() : QString();
}

void ShockwaveFlash::showMessage(const QString& text) {
    message_->setText(text);
    stack_->setCurrentWidget(message_);
    emit failed(text);
}

} // namespace Platform

#include "ShockwaveFlash.moc"
