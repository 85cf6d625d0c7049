// A read-only query object over the readings store, shaped like the classic OLE DB connection
// string and SQL text pair: give it both, open it, read the first field of the first row.
// Behind it is SQLite: the "Data Source" of the connection string names the database file, the
// other parts of the string (provider, security options) are accepted and ignored.
#pragma once

#include "platform/Errors.h"

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace Platform {

// Raised by DbQuery for every failure: file missing or not a database, busy or locked, SQL error,
// unreadable field. The message is SQLite's own.
class EDatabaseError : public EVelmoraError {
public:
    using EVelmoraError::EVelmoraError;
};

class DbQuery {
public:
    DbQuery() = default;
    ~DbQuery(); // closes the statement and the connection
    DbQuery(const DbQuery&) = delete;
    DbQuery& operator=(const DbQuery&) = delete;

    QString ConnectionString;
    QString SQL;

    // Opens the data source read-only and runs SQL up to its first row. Never waits for a lock; a
    // data source that is not a regular file (a FIFO, a device, a folder) fails at once.
    void Open();
    bool IsEmpty() const; // no row; only after Open()
    // The first field of the first row as text (UTF-8 bytes as stored). A NULL field raises.
    QByteArray FirstFieldAsText() const;
    // The stored size of that field in bytes, read without fetching the field.
    qint64 FirstFieldBytes() const;
    void Close();

    // The "Data Source" value of an OLE DB style connection string, or an empty string. A value in
    // double or single quotes runs to its closing quote, a doubled quote standing for one; an
    // unquoted value runs to the next ";" that starts another "Name=" part.
    static QString DataSource(const QString& connectionString);
    // value as it goes into a connection string: unchanged when it holds no ";", no quote and no
    // blank at either end, otherwise in double quotes with inner double quotes doubled.
    static QString QuotedValue(const QString& value);

private:
    [[noreturn]] void fail(const char* what) const;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    bool hasRow_ = false;
};

} // namespace Platform
