#include "QtBeeper.h"

#include <QApplication>

namespace Platform {

void QtBeeper::beep() {
    QApplication::beep();
}

} // namespace Platform
