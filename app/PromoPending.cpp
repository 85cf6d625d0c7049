// Stands in for the promotion panes until their module is built with the program: both panes
// stay hidden and nothing is downloaded.
#include "app/Unt_Main.h"

#include "ui_Unt_Main.h"

void TFrmmain::FormCreate() {
    ui_->EmbeddedWB1->hide();
    ui_->EmbeddedWB2->hide();
}

void TFrmmain::Timer1Timer() {}

void TFrmmain::Timer2Timer() {}

QByteArray TFrmmain::ScheduleField(std::int32_t, std::int32_t) const {
    return {};
}
