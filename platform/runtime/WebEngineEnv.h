// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Platform {

// Prepares the process for Qt WebEngine; call before the QApplication is made. Keeps the program
// off OpenGL (software drawing, Chromium without GPU), lets screen readers into the pages, and
// keeps Chromium's and the pages' chatter off the terminal: only real errors are printed.
void PrepareWebEngine();

// Chromium's sandbox is what keeps a hostile page that breaks its renderer away from the user's
// files. Chromium refuses to run it as root, so as root pages from the network never render
// (the web panes stay off), unless the user turned the sandbox off himself
// (QTWEBENGINE_DISABLE_SANDBOX, or --no-sandbox in QTWEBENGINE_CHROMIUM_FLAGS or on the command
// line). Every other user renders them, in the sandbox.
bool RemotePagesAllowed();

// Call before the movie player, our own local content, makes its first page: as root, the web
// engine then starts with its sandbox off, which Chromium needs there.
void PrepareWebEngineForLocalContent();

} // namespace Platform
