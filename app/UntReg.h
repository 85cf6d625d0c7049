// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's start page, kept where the program has always kept it: the value "Start Page" of
// HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main.
#pragma once

#include <QByteArray>

namespace UntReg {

// The current start page up to its first zero byte; empty when the value is missing, empty or
// unreadable. A value that is not a string (REG_SZ or REG_EXPAND_SZ, the latter not expanded)
// raises EVelmoraError "Invalid data type for 'Start Page'".
QByteArray GetStartPage();

// Writes the address as REG_SZ with its terminating zero. Raises EVelmoraError
// "Failed to set data for 'Start Page'" when it cannot be written.
void SetStartPage(const QByteArray& address);

} // namespace UntReg
