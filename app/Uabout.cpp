// SPDX-License-Identifier: GPL-3.0-or-later
#include "Uabout.h"

#include "ui_Uabout.h"

#include "AccessibleWidgets.h"
#include "Errors.h"
#include "Launcher.h"
#include "Pictures.h"
#include "Platform.h"

QPointer<TAbout> About;

TAbout::TAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TAbout>()) {
    ui_->setupUi(this);
    // The pictures again at the screen's scale (the form loads the 1x files).
    Platform::SetPicture(ui_->Image1, QStringLiteral(":/images/portrait.jpg"));
    // The portrait is drawn at its natural 150 × 150 from the top-left corner; it must not make the
    // dialog taller than its 149-pixel client area.
    ui_->Image1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    // "邮件：" and the support address are 174 pixels wide in the CJK fallback font, more than the
    // room beside the portrait: set the letters a fifth of a pixel closer, and the label 16 high
    // so that the underline is not clipped.
    QFont link = ui_->RzURLLabel1->font();
    link.setUnderline(true);
    link.setLetterSpacing(QFont::AbsoluteSpacing, -0.2);
    ui_->RzURLLabel1->setFont(link);
    connect(ui_->RzURLLabel1, &ClickLabel::Click, this, Platform::Guarded([] {
                Platform::services().launcher().openMail(QString::fromLatin1(SupportMail));
            }));
    // The portrait decorates; the texts are read out when the dialog opens. Their fixed red and
    // navy need the light background they were chosen for.
    Widgets::MarkDecorative(ui_->Image1);
    Widgets::DescribeWith(this, {ui_->RzLabel1, ui_->RzLabel4, ui_->RzLabel3, ui_->RzLabel6});
    Widgets::KeepLightBackground(this);
    Platform::CentreOnScreen(this);
}

TAbout::~TAbout() = default;
