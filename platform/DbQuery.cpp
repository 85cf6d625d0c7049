// SPDX-License-Identifier: GPL-3.0-or-later
#include "DbQuery.h"

#include <QFile>
#include <QRegularExpression>

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

QString DbQuery::DataSource(const QString& connectionString) {
    static const QRegularExpression key(QStringLiteral("(?:^|;)\\s*Data\\s+Source\\s*="),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = key.match(connectionString);
    if (!m.hasMatch())
        return {};
    const QString rest = connectionString.mid(m.capturedEnd());
    if (rest.startsWith(QLatin1Char('"')) || rest.startsWith(QLatin1Char('\''))) {
        // A quoted value runs to the closing quote; a doubled quote inside it stands for one.
        const QChar quote = rest.front();
        QString value;
        for (qsizetype i = 1; i < rest.size(); ++i) {
            if (rest[i] != quote) {
                value += rest[i];
            } else if (i + 1 < rest.size() && rest[i + 1] == quote) {
                value += quote;
                ++i;
            } else {
                break;
            }
        }
        return value;
    }
    // Keywords are letters and blanks; a path segment after a ";" holds "/" or "." before any "=".
    static const QRegularExpression nextPart(QStringLiteral(";\\s*[A-Za-z][A-Za-z ]*="));
    const auto end = nextPart.match(rest);
    return (end.hasMatch() ? rest.left(end.capturedStart()) : rest).trimmed();
}

QString DbQuery::QuotedValue(const QString& value) {
    // An unquoted value is read up to the next ";" and trimmed as QString::trimmed() does.
    const bool plain = !value.isEmpty() && !value.front().isSpace() && !value.back().isSpace() &&
                       !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"')) &&
                       !value.contains(QLatin1Char('\''));
    if (plain)
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

void DbQuery::Open() {
    Close();
    const QString source = DataSource(ConnectionString);
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
