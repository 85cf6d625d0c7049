// SPDX-License-Identifier: GPL-3.0-or-later
// OLE DB style connection strings ("Provider=...;Data Source=...;..."), as the readings store's
// callers write them and its query reads them.
#pragma once

#include <QString>

namespace Platform::ConnectionString {

// The "Data Source" value, or an empty string. A value in double or single quotes runs to its
// closing quote, a doubled quote standing for one; an unquoted value runs to the next ";" that
// starts another "Name=" part.
QString DataSource(const QString& connectionString);
// value as it goes into a connection string: unchanged when it holds no ";", no quote and no blank
// at either end, otherwise in double quotes with inner double quotes doubled.
QString QuotedValue(const QString& value);

} // namespace Platform::ConnectionString
