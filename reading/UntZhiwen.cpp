// SPDX-License-Identifier: GPL-3.0-or-later
#include "UntZhiwen.h"

#include "ui_UntZhiwen.h"

#include "Errors.h"
#include "Platform.h"
#include "uShare.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QValidator>

QPointer<TFrmzhiwen> Frmzhiwen;

namespace {

const QColor LightBlue(0xCD, 0xEC, 0xFB);

// The explanation at the top: six lines, each ended by a carriage return except the last. (uic
// drops carriage returns from a form's texts, so the text lives here rather than in the form.)
const QString IntroText =
    QString::fromUtf16(u"    \r"
                       u" 据多年研究报告，人的性格是与生具来的。令人奇怪的是，人的指纹也是终生不变的。\r"
                       u"经过多年的研究，终于通过指纹可以辅助研究人的性格。下面的程序可以使您对自己\r"
                       u"或他人的性格有一定的了解，在生活中泰然处之。测算方法：男左手，女右手。\r"
                       u"从拇指开始，斗（或叫箩）用O(不是零0），簸箕用X代表。输入5个指纹代码，然后\r"
                       u"按 测算 按钮，结果将显示在。");

const QString ButtonStyle =
    QStringLiteral("QPushButton { border: 1px solid #003C74; border-radius: 3px; background-color: #F4F4F0;"
                   " padding: 0 3px; color: %1; }"
                   "QPushButton:hover { background-color: #FFF4CC; border-color: #E59700; }"
                   "QPushButton:focus { border-color: #2C628B; background-color: #E6F2FC; }"
                   "QPushButton:pressed { background-color: #E2E2DA; }"
                   "QPushButton:disabled { color: #A0A0A0; border-color: #C0C0B8; }");

bool isCodeLetter(QChar c) {
    return c == QLatin1Char('o') || c == QLatin1Char('x');
}

QString codeLetters(const QString& text) {
    QString letters;
    for (QChar c : text)
        if (isCodeLetter(c))
            letters += c;
    return letters;
}

// Labels break lines only at a line feed; the texts use a lone carriage return as line end.
QString shownText(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// The explanation's six lines must fit the 97-pixel panel whatever the CJK font's own line spacing
// (WenQuanYi Zen Hei spaces 12-pixel lines 17 apart), so each line is set at a fixed 15 pixels.
QString explanationHtml(const QString& text) {
    QString html;
    for (const QString& line : text.split(QLatin1Char('\r')))
        html += QStringLiteral("<p style=\"margin:0; white-space:pre; line-height:15px; "
                               "-qt-line-height-type:fixed\">%1</p>")
                    .arg(line.toHtmlEscaped());
    return html;
}

// The last guard of the code box: whatever route text takes into it, only o and x stay. Typed
// keys, pastes and input-method texts are filtered before this. (The box takes no drops.)
class CodeLettersOnly final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        QString kept;
        int newPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (!isCodeLetter(input[i]))
                continue;
            kept += input[i];
            if (i < pos)
                ++newPos;
        }
        input = kept;
        pos = newPos;
        return Acceptable;
    }
};

// A fixed background gets a fixed text colour too: under a dark palette the texts would otherwise
// turn light on the light blue.
void paintBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::WindowText, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A dotted frame over a widget that has no focus mark of its own, shown while it has the focus.
class FocusMark final : public QWidget {
public:
    explicit FocusMark(QWidget* target) : QWidget(target), target_(target) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        target->installEventFilter(this);
        hide();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut ||
                                   event->type() == QEvent::Resize)) {
            setGeometry(target_->rect());
            setVisible(target_->hasFocus());
        }
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(target_->palette().color(target_->foregroundRole()), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QWidget* target_;
};

} // namespace

TFrmzhiwen::TFrmzhiwen(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TFrmzhiwen>()) {
    ui_->setupUi(this);
    // Only the close box in the title bar; the frame stays resizable.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    resize(466, 221);
    Platform::CentreOnScreen(this);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);

    paintBackground(ui_->RzLabel1, LightBlue);
    paintBackground(ui_->RzPanel2, LightBlue);
    paintBackground(ui_->RzLabel2, LightBlue);
    ui_->RzLabel1->setTextFormat(Qt::RichText);
    ui_->RzLabel1->setText(explanationHtml(IntroText));

    const struct {
        QPushButton* button;
        const char* picture;
        const char* colour;
    } buttons[] = {{ui_->RzBitBtn1, ":/images/btn_check.png", "#FF0000"},
                   {ui_->RzBitBtn2, ":/images/btn_clear.png", "#000000"},
                   {ui_->RzBitBtn3, ":/images/btn_door.png", "#000000"}};
    for (const auto& b : buttons) {
        b.button->setIcon(QIcon(QString::fromLatin1(b.picture)));
        b.button->setIconSize(QSize(16, 16));
        b.button->setStyleSheet(ButtonStyle.arg(QLatin1String(b.colour)));
    }

    // The code box is named by its label. The reading is the last Tab stop; a press of "测算" from
    // the keyboard (or by assistive technology) moves the focus to it, so that a screen reader
    // reads it out, and Tab from there goes round to the code box. A mouse click leaves the focus.
    ui_->Label1->setBuddy(ui_->RzEditOX);
    ui_->RzLabel2->setFocusPolicy(Qt::TabFocus);
    new FocusMark(ui_->RzLabel2);
    setTabOrder(ui_->RzBitBtn3, ui_->RzLabel2);

    ui_->RzEditOX->setValidator(new CodeLettersOnly(ui_->RzEditOX));
    ui_->RzEditOX->installEventFilter(this);
    ui_->RzEditOX->setFocus();

    ui_->RzBitBtn1->installEventFilter(this);
    connect(ui_->RzBitBtn1, &QPushButton::clicked, this, Platform::Guarded([this] {
                const bool byMouse = readingByMouse_;
                readingByMouse_ = false;
                RzBitBtn1Click();
                if (!byMouse)
                    ui_->RzLabel2->setFocus(Qt::OtherFocusReason);
            }));
    connect(ui_->RzBitBtn2, &QPushButton::clicked, this, Platform::Guarded([this] { RzBitBtn2Click(); }));
    connect(ui_->RzBitBtn3, &QPushButton::clicked, this, Platform::Guarded([this] { RzBitBtn3Click(); }));
}

TFrmzhiwen::~TFrmzhiwen() = default;

void TFrmzhiwen::RzEditOXKeyPress(QChar& Key) {
    if (Key != QChar(8) && Key != QChar(13) && Key != QLatin1Char('o') && Key != QLatin1Char('x'))
        Key = QChar(0);
}

void TFrmzhiwen::RzBitBtn1Click() {
    try {
        const QByteArray code = uShare::Trim(Platform::EncodeGbk(ui_->RzEditOX->text()));
        const QByteArray reading = uShare::QueryReading(code);
        ui_->RzLabel2->setText(shownText(QStringLiteral("测算结果:") + Platform::DecodeGbk(reading)));
    } catch (...) {
        ui_->RzLabel2->clear();
        Platform::Abort();
    }
}

void TFrmzhiwen::RzBitBtn2Click() {
    ui_->RzEditOX->clear();
}

void TFrmzhiwen::RzBitBtn3Click() {
    close();
}

void TFrmzhiwen::PasteCode(const QString& text) {
    const QString letters = codeLetters(text);
    if (!letters.isEmpty())
        ui_->RzEditOX->insert(letters); // replaces the selection; the box still keeps at most 5
}

bool TFrmzhiwen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->RzBitBtn1) {
        if (event->type() == QEvent::MouseButtonPress)
            readingByMouse_ = true;
        else if (event->type() == QEvent::KeyPress)
            readingByMouse_ = false;
        return QDialog::eventFilter(watched, event);
    }
    if (watched == ui_->RzEditOX) {
        if (event->type() == QEvent::KeyPress) {
            bool handled = false;
            Platform::Guard([&] { handled = codeBoxKeyPress(static_cast<QKeyEvent*>(event)); });
            return handled;
        }
        if (event->type() == QEvent::ContextMenu) {
            Platform::Guard([&] { codeBoxContextMenu(static_cast<QContextMenuEvent*>(event)); });
            return true;
        }
        // The box refuses a sixth letter before its validator sees the text, so every other way in
        // is filtered here first: the letters are kept, then the length limit applies to them.
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            QClipboard* clipboard = QGuiApplication::clipboard();
            if (!clipboard->supportsSelection())
                return false;
            ui_->RzEditOX->deselect();
            Platform::Guard([&] { PasteCode(clipboard->text(QClipboard::Selection)); });
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            auto* im = static_cast<QInputMethodEvent*>(event);
            const QString letters = codeLetters(im->commitString());
            if (letters == im->commitString())
                return false;
            QInputMethodEvent filtered(im->preeditString(), im->attributes());
            filtered.setCommitString(letters, im->replacementStart(), im->replacementLength());
            QCoreApplication::sendEvent(ui_->RzEditOX, &filtered);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TFrmzhiwen::codeBoxKeyPress(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        PasteCode(QGuiApplication::clipboard()->text());
        return true;
    }
    // Editing shortcuts and keys that type nothing (arrows, Delete, Home, Tab, Escape) are not
    // characters for the box and pass as usual.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Undo) ||
        event->matches(QKeySequence::Redo))
        return false;
    QChar key;
    switch (event->key()) {
    case Qt::Key_Backspace:
        key = QChar(8);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = QChar(13);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return false;
    default:
        if (event->text().isEmpty())
            return false;
        key = event->text().front();
        // Several characters at once (a composed key) are not a keystroke the box accepts.
        if (event->text().size() > 1)
            key = QChar(0);
    }
    RzEditOXKeyPress(key);
    if (key == QChar(0))
        return true; // discarded, silently
    if (key == QChar(13)) {
        focusNextChild(); // Enter acts as Tab: on to "测算", no query
        return true;
    }
    return false;
}

void TFrmzhiwen::codeBoxContextMenu(QContextMenuEvent* event) {
    QMenu* menu = ui_->RzEditOX->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The standard menu's Paste item is known by its (translated) text; it is rewired to the
    // filtered paste and named so that it can be found again.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste") && !action->text().startsWith(pasteText))
            continue;
        action->setObjectName(QStringLiteral("edit-paste"));
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this,
                Platform::Guarded([this] { PasteCode(QGuiApplication::clipboard()->text()); }));
    }
    menu->popup(event->globalPos());
}
