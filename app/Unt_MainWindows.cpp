// The buttons that open other windows.
#include "app/Unt_Main.h"

#include "app/Uabout.h"
#include "app/Unt_servers.h"
#include "platform/WindowOwner.h"

namespace {

// Destroys the window left from the previous press, makes a new one owned by the application
// and shows it modally. Closing hides it; it stays until the next press or the program's end.
template <class Window> void OpenModal(QPointer<Window>& reference) {
    delete reference.data();
    reference = new Window();
    Platform::Own(reference.data());
    reference->exec();
}

} // namespace

void TFrmmain::RzButton2Click() {
    OpenModal(Frm_servers);
}

void TFrmmain::RzButton3Click() {
    OpenModal(About);
}

// ---- Windows of their own modules, wired in when those land ----

void TFrmmain::RzButton1Click() { // the fingerprint window
    NotAvailable(QStringLiteral("指纹算命"));
}

void TFrmmain::RzButton5Click() { // the calendar window
    NotAvailable(QStringLiteral("查看日历"));
}

void TFrmmain::RzButton4Click() { // the palm-reading movie
    NotAvailable(QStringLiteral("手相占卜"));
}
