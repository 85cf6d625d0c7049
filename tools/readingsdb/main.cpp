// SPDX-License-Identifier: GPL-3.0-or-later
// readingsdb SOURCE.tsv OUTPUT: builds the readings store (an SQLite file named QuorFile.dll beside
// the program) from the human-readable readings source. Each reading is stored scrambled and as hex
// text, the form the program's QueryReading decodes.
#include "ReadingsSource.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        throw ReadingsSource::Error(std::string(what) + ": " + sqlite3_errmsg(db));
}

void writeStore(const std::vector<ReadingsSource::Row>& rows, const std::string& path) {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    struct Closer {
        sqlite3* db;
        ~Closer() { sqlite3_close_v2(db); }
    } closer{db};
    check(db, rc, "open");
    check(db,
          sqlite3_exec(db, "BEGIN; CREATE TABLE zhiwen (zhiwen TEXT NOT NULL, content TEXT NOT NULL);",
                       nullptr, nullptr, nullptr),
          "create");
    sqlite3_stmt* insert = nullptr;
    check(
        db,
        sqlite3_prepare_v2(db, "INSERT INTO zhiwen (zhiwen, content) VALUES (?1, ?2)", -1, &insert, nullptr),
        "prepare");
    for (const auto& row : rows) {
        const std::string hex = ReadingsSource::ToHex(
            ReadingsSource::Scramble(row.reading, ReadingsSource::Key, ReadingsSource::Rounds));
        sqlite3_bind_text(insert, 1, row.code.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, hex.c_str(), -1, SQLITE_TRANSIENT);
        const int step = sqlite3_step(insert);
        if (step != SQLITE_DONE) {
            sqlite3_finalize(insert);
            check(db, step, "insert");
        }
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(db, sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), "commit");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: readingsdb SOURCE.tsv OUTPUT\n";
        return 2;
    }
    const std::string output = argv[2];
    const std::string partial = output + ".part";
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in)
            throw ReadingsSource::Error(std::string("cannot read ") + argv[1]);
        std::ostringstream text;
        text << in.rdbuf();
        const auto rows = ReadingsSource::Parse(text.str());
        // Written aside and renamed, so a failed run never leaves a half-made store behind.
        writeStore(rows, partial);
        if (std::rename(partial.c_str(), output.c_str()) != 0)
            throw ReadingsSource::Error("cannot rename " + partial + " to " + output);
    } catch (const std::exception& e) {
        std::remove(partial.c_str());
        std::cerr << argv[1] << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
