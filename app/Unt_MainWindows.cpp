// The buttons that open other windows.
#include "app/Unt_Main.h"

#include "app/Uabout.h"
#include "app/Unt_servers.h"
#include "calendar_window/DateWin.h"
#include "movie/Flash.h"
#include "platform/WindowOwner.h"
#include "reading/UntZhiwen.h"

#include <type_traits>

namespace {

// Destroys the window left from the previous press, makes a new one owned by the application
// and shows it modally. Closing hides it; it stays until the next press or the program's end.
// The global reference is a QPointer or a plain pointer that its window clears when destroyed.
template <class Window> Window* Get(const QPointer<Window>& reference) {
    return reference.data();
}
template <class Window> Window* Get(Window* reference) {
    return reference;
}

template <class Reference> void OpenModal(Reference& reference) {
    using Window = std::remove_pointer_t<decltype(Get(reference))>;
    delete Get(reference);
    reference = nullptr;
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
