// SPDX-License-Identifier: GPL-3.0-or-later
// The buttons that open other windows.
#include "Unt_Main.h"

#include "DateWin.h"
#include "Flash.h"
#include "Uabout.h"
#include "UntZhiwen.h"
#include "Unt_servers.h"
#include "WindowOwner.h"

namespace {

// Destroys the window left from the previous press, makes a new one owned by the application
// and shows it modally. Closing hides it; it stays until the next press or the program's end.
template <class Window> void OpenModal(QPointer<Window>& reference) {
    delete reference.data();
    auto* window = new Window();
    reference = window;
    Platform::Own(window);
    window->exec();
}

} // namespace

void TFrmmain::RzButton2Click() {
    OpenModal(Frm_servers);
}

void TFrmmain::RzButton3Click() {
    OpenModal(About);
}

void TFrmmain::RzButton1Click() { // the fingerprint window
    OpenModal(Frmzhiwen);
}

// The calendar leaves the application's ownership when it closes, so only the next press (or the
// main window's end) destroys it.
void TFrmmain::RzButton5Click() {
    OpenModal(FRM_Date);
}

void TFrmmain::RzButton4Click() { // the palm-reading movie
    Flash::ShowDivinationMovie(1);
}
