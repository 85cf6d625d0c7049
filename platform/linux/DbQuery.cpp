// SPDX-License-Identifier: GPL-3.0-or-later
#include "DbQuery.h"

#include "ConnectionString.h"

#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

namespace Platform {

DbQuery::~DbQuery() {
    Close();
}

void DbQuery::Close() {
    // Finalising the statement ends its read transaction, so no lock outlives the query.
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    hasRow_ = false;
}

void DbQuery::fail(const char* what) const {
    QString message = QString::fromUtf8(what);
    if (db_)
        message += QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db_));
    throw EDatabaseError(message);
}

void DbQuery::Open() {
    Close();
    const QString source = ConnectionString::DataSource(ConnectionString);
    if (source.isEmpty())
        throw EDatabaseError(QStringLiteral("连接字符串中没有数据源"));
    // Read-only: the store is never written, and it may lie in a folder the user cannot write.
    // No busy handler is set, so a file locked by a writer fails at once instead of waiting.
    const QByteArray path = QFile::encodeName(source);
    // SQLite opens whatever the path names and blocks on a FIFO until a writer comes: only a
    // regular file (or a link to one) is a database.
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        throw EDatabaseError(QStringLiteral("the data source is not a database file: ") + source);
    if (sqlite3_open_v2(path.constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        fail("cannot open the database");
    const QByteArray sql = SQL.toUtf8();
    if (sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        fail("cannot prepare the query");
    if (!stmt_) // only blanks or comments
        fail("empty query");
    switch (sqlite3_step(stmt_)) {
    case SQLITE_ROW:
        hasRow_ = true;
        break;
    case SQLITE_DONE:
        hasRow_ = false;
        break;
    default:
        fail("cannot run the query");
    }
}

bool DbQuery::IsEmpty() const {
    return !hasRow_;
}

qint64 DbQuery::FirstFieldBytes() const {
    if (!stmt_ || !hasRow_)
        fail("no current row");
    if (sqlite3_column_count(stmt_) < 1)
        fail("the query has no field");
    // The size SQLite recorded for the field; nothing of it is converted or copied here.
    return sqlite3_column_bytes(stmt_, 0);
}

QByteArray DbQuery::FirstFieldAsText() const {
    if (!stmt_ || !hasRow_)
        fail("no current row");
    if (sqlite3_column_count(stmt_) < 1)
        fail("the query has no field");
    if (sqlite3_column_type(stmt_, 0) == SQLITE_NULL)
        fail("the field is NULL");
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, 0));
    if (!text)
        fail("cannot read the field");
    return QByteArray(text, sqlite3_column_bytes(stmt_, 0));
}

} // namespace Platform
