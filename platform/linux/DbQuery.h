// SPDX-License-Identifier: GPL-3.0-or-later
// The readings store's query over SQLite: the "Data Source" of the connection string names the
// database file, the other parts of the string (provider, security options) are accepted and
// ignored. Failures raise EDatabaseError with SQLite's own message.
#pragma once

#include "Database.h"

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace Platform {

class DbQuery final : public Query {
public:
    DbQuery() = default;
    ~DbQuery() override; // closes the statement and the connection
    DbQuery(const DbQuery&) = delete;
    DbQuery& operator=(const DbQuery&) = delete;

    void Open() override; // a data source that is not a regular file fails at once
    bool IsEmpty() const override;
    QByteArray FirstFieldAsText() const override;
    qint64 FirstFieldBytes() const override;
    void Close() override;

private:
    [[noreturn]] void fail(const char* what) const;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    bool hasRow_ = false;
};

class SqliteDatabase final : public Database {
public:
    std::unique_ptr<Query> createQuery() override { return std::make_unique<DbQuery>(); }
};

} // namespace Platform
