// SPDX-License-Identifier: GPL-3.0-or-later
#include "Flash.h"

#include "ui_Flash.h"

#include "MovieControl.h"
#include "Platform.h"
#include "WindowOwner.h"

#include <QHideEvent>
#include <QShortcut>
#include <QVBoxLayout>

#include <array>

QPointer<TFrmFlash> FrmFlash;

namespace Flash {

namespace {

struct Kind {
    const char16_t* title;
    const char* file; // relative to the program folder
};

constexpr std::array<Kind, 4> kKinds{{
    {u"眼型占卜", "Flash/yanxing.swf"},
    {u"手相占卜", "Flash/shou.swf"},
    {u"拜佛求签", "Flash/paifo.swf"},
    {u"土地圣杯", "Flash/tudi.swf"},
}};

} // namespace

void ShowDivinationMovie(int kind) {
    TFrmFlash* window = nullptr;
    try {
        window = new TFrmFlash();
    } catch (...) {
        FrmFlash = nullptr;
        throw;
    }
    Platform::Own(window);
    FrmFlash = window;
    if (kind >= 0 && kind < static_cast<int>(kKinds.size())) {
        const Kind& k = kKinds[static_cast<std::size_t>(kind)];
        window->setWindowTitle(QString::fromUtf16(k.title));
        // File names are Unicode throughout, so the path is handed over as it is.
        window->ShockwaveFlash1->SetMovie(Platform::ProgramPath() + QLatin1String(k.file));
    }
    window->show();
}

} // namespace Flash

TFrmFlash::TFrmFlash(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TFrmFlash>()) {
    ui_->setupUi(this);
    // Title bar with the close box only; the frame stays resizable.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    Platform::PlaceOnScreen(this, {197, 147});

    // A control that cannot be made throws here, and the half-made window dies with the exception.
    ShockwaveFlash1 = Platform::services().flashPlayers().createPlayer(this);
    ShockwaveFlash1->setObjectName(QStringLiteral("ShockwaveFlash1"));
    ShockwaveFlash1->setFocusPolicy(Qt::StrongFocus);
    ui_->ClientLayout->addWidget(ShockwaveFlash1);

    // Escape closes the window as its close box does, wherever the focus is (the player takes
    // every key it is given, so a shortcut, not the dialog's own key handling).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, [this] { close(); });
    escape->setObjectName(QStringLiteral("EscapeCloses"));
}

TFrmFlash::~TFrmFlash() = default;

// A closed movie window lives on until the program ends, as every movie window does, but its native
// window and backing store go: kept, each closed window would hold their memory in the program and
// in the X server until exit. Showing the window again makes new ones. A minimised window (hidden
// by the window system) keeps them.
void TFrmFlash::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!isVisible() && windowHandle())
                destroy();
        },
        Qt::QueuedConnection);
}
