// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtBeeper.h"

#include <QApplication>

namespace Platform {

void QtBeeper::beep() {
    QApplication::beep();
}

} // namespace Platform
