// SPDX-License-Identifier: GPL-3.0-or-later
// The application as owner of top-level windows. A window the application owns is destroyed at
// exit (without a close query); a window may leave that ownership, after which only whoever holds
// a reference to it destroys it.
#pragma once

class QWidget;

namespace Platform {

void Own(QWidget* window);    // the application takes ownership
void Disown(QWidget* window); // the window leaves the application's ownership
bool Owns(const QWidget* window);
void DestroyOwnedWindows(); // at exit: destroys every window still owned, newest first

} // namespace Platform
