// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "ReadingsSource.h"
#include "uShare.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sqlite3.h>

#include <map>
#include <set>

namespace {

// The store the build made from the committed source, read without the program's query layer.
std::map<std::string, std::string> builtStore() {
    std::map<std::string, std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(VELMORA_READINGS_STORE, &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* select = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT zhiwen, content FROM zhiwen", -1, &select, nullptr) == SQLITE_OK)
            while (sqlite3_step(select) == SQLITE_ROW)
                rows[reinterpret_cast<const char*>(sqlite3_column_text(select, 0))] =
                    reinterpret_cast<const char*>(sqlite3_column_text(select, 1));
        sqlite3_finalize(select);
    }
    sqlite3_close(db);
    return rows;
}

TEST(ReadingsStore, HoldsEveryCompleteCodeAndDescramblesToTheSource) {
    auto beeper = std::make_shared<FakeBeeper>();
    Platform::ScopedService<Platform::Beeper> fake(beeper);
    const auto source = ReadingsSource::Parse(ReadingsSourceText());
    const auto store = builtStore();
    ASSERT_EQ(store.size(), 32u);
    std::set<std::string> readings;
    for (const auto& row : source) {
        ASSERT_TRUE(store.contains(row.code)) << row.code;
        const QByteArray content = QByteArray::fromStdString(store.at(row.code));
        EXPECT_EQ(uShare::Unscramble(content, uShare::ReadingKey, uShare::ReadingRounds).toStdString(),
                  row.reading)
            << row.code;
        readings.insert(row.reading);
    }
    EXPECT_EQ(readings.size(), 32u) << "two codes share a reading";
    EXPECT_EQ(beeper->beeps, 0);
}

// A valid source of 32 short readings; a row may be replaced to make it invalid.
std::string sourceWith(const std::string& replaceFirst = {}) {
    std::string text = "# comment\n\n";
    for (int i = 0; i < 32; ++i) {
        std::string code;
        for (int bit = 4; bit >= 0; --bit)
            code += (i >> bit & 1) ? 'x' : 'o';
        if (i == 0 && !replaceFirst.empty())
            text += replaceFirst + "\n";
        else
            text += code + "\t性情温和\t事业有成\r\n";
    }
    return text;
}

std::string chars(int n, const char* utf8Char = "福") {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += utf8Char;
    return s;
}

TEST(ReadingsSource, ParsesLinesIntoGb2312WithCarriageReturns) {
    const auto rows = ReadingsSource::Parse(sourceWith());
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[31].code, "xxxxx");
    EXPECT_EQ(Platform::DecodeGbk(QByteArray::fromStdString(rows[31].reading)),
              QStringLiteral("性情温和\r事业有成"));
    // The widest and tallest reading the result label shows in full.
    EXPECT_NO_THROW(ReadingsSource::Parse(
        sourceWith("ooooo\t" + chars(31) + "\t" + chars(36) + "\t" + chars(35) + "ab\t" + chars(36))));
}

struct RefusedRow {
    const char* name;
    std::string row;
};
void PrintTo(const RefusedRow& row, std::ostream* os) {
    *os << row.name;
}

class RefusedSourceRows : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedSourceRows, AreRefused) {
    EXPECT_THROW(ReadingsSource::Parse(sourceWith(GetParam().row)), ReadingsSource::Error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedSourceRows,
    ::testing::Values(
        RefusedRow{"ShortCode", "oooo\t福"}, RefusedRow{"UpperCase", "ooooO\t福"},
        RefusedRow{"LongCode", "oooooo\t福"}, RefusedRow{"Digit", "oooo0\t福"},
        RefusedRow{"Duplicate", "xxxxx\t福"}, // xxxxx also comes later: twice, and ooooo missing
        RefusedRow{"NoText", "ooooo"}, RefusedRow{"EmptyLine", "ooooo\t福\t\t福"},
        RefusedRow{"NotGb2312Euro", "ooooo\t价格€"}, RefusedRow{"NotGb2312Hangul", "ooooo\t한국"},
        RefusedRow{"BrokenUtf8", "ooooo\t\xE7\xA6"}, RefusedRow{"FirstLineTooWide", "ooooo\t" + chars(32)},
        RefusedRow{"LineTooWide", "ooooo\t福\t" + chars(36) + "a"},
        RefusedRow{"TooManyLines", "ooooo\t福\t福\t福\t福\t福"}));

TEST(ReadingsSource, RefusesASourceWithoutEveryCode) {
    std::string text = sourceWith();
    text.erase(text.rfind("xxxxx"));
    EXPECT_THROW(ReadingsSource::Parse(text), ReadingsSource::Error);
}

} // namespace
