// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebModule.h"

#include "Errors.h"
#include "Logging.h"
#include "Platform.h"
#include "WebEngineEnv.h"

#include <QDir>
#include <QLibrary>
#include <QWidget>

#include <dlfcn.h>

namespace Platform {

namespace {

const VelmoraWebFacilities* loaded = nullptr; // once loaded, for the rest of the run

// A pane whose real pane comes from the module on first use.
class ModulePane final : public WebPane {
public:
    explicit ModulePane(QWidget* place) : place_(place) {}

    void navigate(const QString& address) override {
        if (IsWebAddress(address) && ready())
            real_->navigate(address);
    }
    void prepare() override {
        if (ready())
            real_->prepare();
    }
    bool visible() const override { return place_.visible(); }
    void setVisible(bool on) override { place_.setVisible(on && !broken_); }
    int top() const override { return place_.top(); }
    void setTop(int y) override { place_.setTop(y); }

private:
    bool ready() {
        if (real_)
            return true;
        if (broken_ || !place_.widget())
            return false;
        if (!RemotePagesAllowed()) {
            static bool said = false;
            if (!said)
                qCWarning(lcWeb,
                          "velmora: the web panes stay off: running as root, Chromium's sandbox cannot "
                          "keep their pages from the network in (QTWEBENGINE_DISABLE_SANDBOX=1 shows them "
                          "without it)");
            said = true;
        } else if (const VelmoraWebFacilities* module = WebModule()) {
            try {
                real_ = module->panes->createPane(place_.widget());
                return true;
            } catch (const std::exception& e) {
                qCDebug(lcWeb, "the web module made no pane: %s", e.what());
            }
        }
        // Without a web engine (or with pages not allowed to render) the pane would stay an empty
        // frame: the picture behind shows instead.
        qCDebug(lcWeb, "pane %s hidden for this run: no web engine, or no sandbox for it",
                qPrintable(place_.widget()->objectName()));
        broken_ = true;
        place_.widget()->hide();
        return false;
    }

    PanePlace place_;
    std::unique_ptr<WebPane> real_;
    bool broken_ = false;
};

} // namespace

QString WebModulePath() {
    return ProgramPath() + QStringLiteral("modules/libvelmora_web.so");
}

const VelmoraWebFacilities* WebModule(QString* error) {
    if (loaded)
        return loaded;
    // Tests and tools that link the module have it already.
    auto entry = reinterpret_cast<VelmoraWebEntry>(::dlsym(RTLD_DEFAULT, VELMORA_WEB_ENTRY));
    if (!entry) {
        // Loaded once and never unloaded: its widgets live until the program ends. All its symbols
        // are bound now, so a module that does not fit this program fails here, not in a call.
        QLibrary library(WebModulePath());
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        entry =
            library.load() ? reinterpret_cast<VelmoraWebEntry>(library.resolve(VELMORA_WEB_ENTRY)) : nullptr;
        if (!entry) {
            if (error)
                *error = library.errorString();
            qCWarning(lcWeb, "velmora: no web engine module: %s", qPrintable(library.errorString()));
            return nullptr;
        }
    }
    loaded = entry();
    return loaded;
}

std::unique_ptr<WebPane> ModuleWebPanes::createPane(QWidget* place) {
    if (!place)
        throw EVelmoraError(QStringLiteral("web pane without a place in its window"));
    return std::make_unique<ModulePane>(place);
}

MovieControl* ModuleFlashPlayers::createPlayer(QWidget* parent) {
    const VelmoraWebFacilities* module = WebModule();
    if (!module)
        throw EVelmoraError(QStringLiteral("无法创建影片播放控件：找不到或无法载入网页引擎模块 %1")
                                .arg(QDir::toNativeSeparators(WebModulePath())));
    return module->players->createPlayer(parent);
}

} // namespace Platform
