// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is told about the calendar window's own widgets:
// - the grid (CalendarGrid) is a table of the month's rows and seven columns; each cell is named
//   with its full date and weekday, described with the day's details (the cell hint's lines after
//   the date), and reports whether it is selected and focused;
// - the spinners (TUpDown) are spin boxes with a value (position, range, step 1) and increase and
//   decrease actions;
// - the plain click labels read as text, or not at all where the grid's cells stand for them;
//   focus frames are left out.
#pragma once

class QAccessibleEvent;

namespace DateWin {

// Installs the calendar's accessible interfaces; once is enough, more is harmless.
void InstallCalendarAccessibility();

// Whether anyone listens to the calendar's accessibility events: a screen reader's bridge, or a
// listener given below.
bool AccessEventsWanted();
// Sends an event of the calendar's own controls to assistive technology, and to the listener.
void Announce(QAccessibleEvent* event);
// A listener that hears every event Announce sends, even when no screen reader runs (as in
// offscreen tests, where Qt reports accessibility inactive); null to stop.
using AccessEventListener = void (*)(QAccessibleEvent* event);
void SetAccessEventListener(AccessEventListener listener);

} // namespace DateWin
