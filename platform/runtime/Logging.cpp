// SPDX-License-Identifier: GPL-3.0-or-later
#include "Logging.h"

namespace Platform {

Q_LOGGING_CATEGORY(lcPromo, "velmora.promo", QtWarningMsg)
Q_LOGGING_CATEGORY(lcReading, "velmora.reading", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWeb, "velmora.web", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCalendar, "velmora.calendar", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHive, "velmora.hive", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHttp, "velmora.http", QtWarningMsg)

} // namespace Platform
