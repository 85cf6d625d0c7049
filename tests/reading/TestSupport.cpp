// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "ReadingsSource.h"
#include "uShare.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

QString StorePath() {
    return uShare::GetAppPath() + QStringLiteral("QuorFile.dll");
}

void RemoveStore() {
    QFile::remove(StorePath());
    QDir(StorePath()).removeRecursively();
}

void WriteStore(const std::vector<StoreRow>& rows, const char* schema) {
    RemoveStore();
    WriteStoreAt(StorePath(), rows, schema);
}

void WriteStoreAt(const QString& file, const std::vector<StoreRow>& rows, const char* schema) {
    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(file);
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create the test store");
    const char* create = schema ? schema : "CREATE TABLE zhiwen (zhiwen TEXT, content TEXT)";
    if (sqlite3_exec(db, create, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    sqlite3_stmt* insert = nullptr;
    if (!rows.empty()) {
        if (sqlite3_prepare_v2(db, "INSERT INTO zhiwen VALUES (?1, ?2)", -1, &insert, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        for (const auto& row : rows) {
            if (row.code)
                sqlite3_bind_text(insert, 1, row.code->c_str(), -1, SQLITE_TRANSIENT);
            else
                sqlite3_bind_null(insert, 1);
            if (row.content)
                sqlite3_bind_text(insert, 2, row.content->c_str(), -1, SQLITE_TRANSIENT);
            else
                sqlite3_bind_null(insert, 2);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
    }
    sqlite3_close(db);
}

void WriteStoreBytes(const QByteArray& bytes) {
    QFile f(StorePath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the test store");
    f.write(bytes);
}

std::string StoredForm(const QByteArray& gb) {
    return ReadingsSource::ToHex(
        ReadingsSource::Scramble(gb.toStdString(), ReadingsSource::Key, ReadingsSource::Rounds));
}

std::string ReadingsSourceText() {
    std::ifstream in(VELMORA_READINGS_SOURCE, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
