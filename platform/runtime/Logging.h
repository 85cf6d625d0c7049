// SPDX-License-Identifier: GPL-3.0-or-later
// The program's logging categories, one per area. Each is quiet below warnings, so a normal run
// prints nothing; QT_LOGGING_RULES="velmora.*.debug=true" (or one area, "velmora.promo.debug=true")
// tells why a pane hid, a reading was not found or the web module did not load: every place that
// turns a failure into a quiet outcome says so here at the debug level.
#pragma once

#include <QLoggingCategory>

namespace Platform {

Q_DECLARE_LOGGING_CATEGORY(lcPromo)    // velmora.promo: schedule, switches, rotation
Q_DECLARE_LOGGING_CATEGORY(lcReading)  // velmora.reading: the readings store
Q_DECLARE_LOGGING_CATEGORY(lcWeb)      // velmora.web: the web module, panes and movie player
Q_DECLARE_LOGGING_CATEGORY(lcCalendar) // velmora.calendar: the month grid and its hints
Q_DECLARE_LOGGING_CATEGORY(lcHive)     // velmora.hive: the start-page hive
Q_DECLARE_LOGGING_CATEGORY(lcHttp)     // velmora.http: the promotion downloads

} // namespace Platform
