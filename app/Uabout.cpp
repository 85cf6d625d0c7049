#include "app/Uabout.h"

#include "ui_Uabout.h"

#include "app/WindowPlacement.h"
#include "platform/Errors.h"
#include "platform/Platform.h"

QPointer<TAbout> About;

TAbout::TAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui_(new Ui::TAbout) {
    ui_->setupUi(this);
    ui_->Image1->lower(); // the mail link's first character reaches over the picture's pale margin
    connect(ui_->RzURLLabel1, &ClickLabel::clicked, this, Platform::Guarded([] {
                Platform::services().launcher().openMail(QString::fromLatin1(SupportMail));
            }));
    CentreOnScreen(this);
}

TAbout::~TAbout() {
    delete ui_;
}
