// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Platform {

// Prepares the process for Qt WebEngine; call before the QApplication is made. Chromium refuses to
// start as root with its sandbox on, so the sandbox is turned off only when the effective user is
// root, and left on for everyone else. Also keeps the program off OpenGL (software drawing,
// Chromium without GPU) and keeps Chromium's and the pages' chatter off the terminal: only real
// errors are printed.
void PrepareWebEngine();

} // namespace Platform
