// SPDX-License-Identifier: GPL-3.0-or-later
// The readings store's database: a read-only query object shaped like the classic OLE DB
// connection string and SQL text pair. Give it both, open it, read the first field of the first row.
#pragma once

#include "Exceptions.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace Platform {

// Raised by a query for every failure: file missing or not a database, busy or locked, SQL error,
// unreadable field.
class EDatabaseError : public EVelmoraError {
public:
    using EVelmoraError::EVelmoraError;
};

class Query {
public:
    virtual ~Query() = default; // closes whatever the query holds

    QString ConnectionString;
    QString SQL;

    // Opens the data source read-only and runs SQL up to its first row. Never waits for a lock.
    virtual void Open() = 0;
    virtual bool IsEmpty() const = 0; // no row; only after Open()
    // The first field of the first row as text (bytes as stored). A NULL field raises.
    virtual QByteArray FirstFieldAsText() const = 0;
    // The stored size of that field in bytes, read without fetching the field.
    virtual qint64 FirstFieldBytes() const = 0;
    virtual void Close() = 0;
};

class Database {
public:
    virtual ~Database() = default;
    virtual std::unique_ptr<Query> createQuery() = 0;
};

} // namespace Platform
