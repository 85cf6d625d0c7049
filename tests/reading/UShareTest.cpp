// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "ConnectionString.h"
#include "uShare.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using namespace uShare;

namespace {

struct HexRow {
    const char* text;
    QByteArray bytes;
    int beeps;
};
// Parameter names in test lists: short and free of blanks and semicolons.
void PrintTo(const HexRow& row, std::ostream* os) {
    *os << '"' << QByteArray(row.text).toHex().constData() << '"';
}

class HexToTextRows : public ::testing::TestWithParam<HexRow> {};

TEST_P(HexToTextRows, DecodesPairsAndBeepsOncePerInvalidPair) {
    auto beeper = std::make_shared<FakeBeeper>();
    Platform::ScopedService<Platform::Beeper> fake(beeper);
    EXPECT_EQ(HexToText(GetParam().text), GetParam().bytes);
    EXPECT_EQ(beeper->beeps, GetParam().beeps);
}

INSTANTIATE_TEST_SUITE_P(Rows, HexToTextRows,
                         ::testing::Values(HexRow{"", "", 0},
                                           HexRow{"4", "", 0},         // a lone character is ignored
                                           HexRow{"414", "A", 0},      // odd length: the last one too
                                           HexRow{"4a4B7e", "JK~", 0}, // both cases of digits
                                           HexRow{"00ff", QByteArray("\x00\xFF", 2), 0}, //
                                           HexRow{"41zz42", "AB", 1}, // the bad pair alone is dropped
                                           HexRow{"4G", "", 1}, HexRow{"+1", "", 1}, // a sign is not a digit
                                           HexRow{" 41", "", 1}, // " 4" is bad, "1" unpaired
                                           HexRow{"x1y2zz", "", 3}));

struct ScrambleRow {
    const char* text;
    int rounds;
    const char* expectedHex;
    int beeps;
};
void PrintTo(const ScrambleRow& row, std::ostream* os) {
    *os << QByteArray(row.text).toHex().constData() << "x" << row.rounds;
}

class UnscrambleRows : public ::testing::TestWithParam<ScrambleRow> {};

// Expected values worked out by hand with H = 0x1C and L = 0xFB, the two bytes of 7419:
// 01 02, one round: forward 02 -> (01+02)^1C = 1F; backward 01 -> (01+1F)^FB = DB.
TEST_P(UnscrambleRows, RunsTheRoundsOnTheDecodedBytes) {
    auto beeper = std::make_shared<FakeBeeper>();
    Platform::ScopedService<Platform::Beeper> fake(beeper);
    const auto& row = GetParam();
    EXPECT_EQ(Unscramble(row.text, ReadingKey, row.rounds).toHex().toUpper(), QByteArray(row.expectedHex));
    EXPECT_EQ(beeper->beeps, row.beeps);
}

INSTANTIATE_TEST_SUITE_P(Rows, UnscrambleRows,
                         ::testing::Values(ScrambleRow{"", 7, "", 0}, ScrambleRow{"  ", 7, "", 1},
                                           ScrambleRow{"7F", 7, "7F", 0},      // one byte: both passes empty
                                           ScrambleRow{"4142", 0, "4142", 0},  // no rounds
                                           ScrambleRow{"4142", -3, "4142", 0}, //
                                           ScrambleRow{"0102", 1, "DB1F", 0},
                                           ScrambleRow{"0102", 2, "3AE6", 0},
                                           ScrambleRow{"FFFF", 1, "1AE2", 0}, // sums wrap at 256
                                           ScrambleRow{"102030", 1, "5C9740", 0},
                                           ScrambleRow{"0102", 7, "5F0F", 0}, // 8 rounds would be 2A72
                                           ScrambleRow{"102030", 7, "5AE8E6", 0},
                                           ScrambleRow{"01zz02", 1, "DB1F", 1}, // rounds over the rest
                                           ScrambleRow{"B4BABDDA", 7, "2ABEBBE6", 0}));

struct DecodeRow {
    QByteArray gb;
    QString text;
};
void PrintTo(const DecodeRow& row, std::ostream* os) {
    *os << row.gb.toHex().constData();
}

class GbkDecodeRows : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(GbkDecodeRows, ShowsBrokenBytesAsReplacementCharacters) {
    EXPECT_EQ(Platform::DecodeGbk(GetParam().gb), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GbkDecodeRows,
    ::testing::Values(DecodeRow{"", ""}, DecodeRow{"\xB4\xBA\xBD\xDA", QStringLiteral("春节")},
                      DecodeRow{"\xB2\xE2\xCB\xE3\r\xBD\xE1", QStringLiteral("测算\r结")},
                      DecodeRow{"\x80", QStringLiteral("€")},             // a GBK extension
                      DecodeRow{"ab\xB4", QStringLiteral("ab\uFFFD")},    // unfinished at the end
                      DecodeRow{"\xB4\x20x", QStringLiteral("\uFFFD x")}, // bad trail byte
                      DecodeRow{QByteArray("\xB4\x00", 2), QString(QChar(0xFFFD)) + QChar(0)}));

struct SourceRow {
    const char* connection;
    const char* source;
};
void PrintTo(const SourceRow& row, std::ostream* os) {
    *os << QByteArray(row.source).toHex().left(16).constData();
}

class DataSourceRows : public ::testing::TestWithParam<SourceRow> {};

TEST_P(DataSourceRows, FindsTheFile) {
    EXPECT_EQ(Platform::ConnectionString::DataSource(QString::fromUtf8(GetParam().connection)),
              QString::fromUtf8(GetParam().source));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DataSourceRows,
    ::testing::Values(
        SourceRow{
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/v/;/QuorFile.dll;Persist Security Info=True",
            "/opt/v/;/QuorFile.dll"},
        SourceRow{"Provider=P;Data Source=/程序 目录//QuorFile.dll;Persist Security Info=True",
                  "/程序 目录//QuorFile.dll"},
        SourceRow{"data source = /a/b.db", "/a/b.db"}, SourceRow{"Data Source=\"/a;b=c/d\";X=1", "/a;b=c/d"},
        SourceRow{"Provider=P;Persist Security Info=True", ""},
        SourceRow{"Data Source=\"/a \"\"b\"\";c=d/f\";X=1", "/a \"b\";c=d/f"},
        SourceRow{"Data Source='/it''s;here/f';X=1", "/it's;here/f"}));

// Whatever the folder holds, the data source read back from the connection string is the file.
class QuotedSourceRows : public ::testing::TestWithParam<const char*> {};

TEST_P(QuotedSourceRows, ReadsBackWhole) {
    const QString file = QString::fromUtf8(GetParam());
    const QString connection = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                               Platform::ConnectionString::QuotedValue(file) +
                               QStringLiteral(";Persist Security Info=True");
    EXPECT_EQ(Platform::ConnectionString::DataSource(connection), file) << connection.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Folders, QuotedSourceRows,
                         ::testing::Values("/opt/v//QuorFile.dll", "/opt/v;Name=x//QuorFile.dll",
                                           "/a=b;c=d/;/QuorFile.dll", "/q\"uo\"te//QuorFile.dll",
                                           "/it's/QuorFile.dll", "\"/lead//QuorFile.dll",
                                           " /blank/ //QuorFile.dll ", "/程序 目录//QuorFile.dll",
                                           "\u00a0/nbsp/\u00a0", "/x;Data Source=/y//QuorFile.dll"));

TEST(ProgramFolder, IsTheExecutablesFolderAndNamesTheStoreInIt) {
    const QString folder = GetAppPath();
    EXPECT_EQ(folder, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    EXPECT_EQ(GetConnectionString(), QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                         folder + QStringLiteral("/QuorFile.dll;Persist Security Info=True"));
    EXPECT_EQ(Platform::ConnectionString::DataSource(GetConnectionString()),
              folder + QStringLiteral("/QuorFile.dll"));
}

// The test program copies itself into a folder whose name holds Chinese characters, blanks, ";Name=" and
// quotes, puts a store beside the copy and runs this test there; the copy checks what it finds.
TEST(ProgramFolder, WorksFromAFolderWithChineseCharactersAndBlanks) {
    const QString expected = qEnvironmentVariable("VELMORA_EXPECTED_FOLDER");
    if (!expected.isEmpty()) {
        EXPECT_EQ(GetAppPath(), expected);
        EXPECT_EQ(QueryReading("ooooo"), QByteArray("\xB8\xA3"));
        return;
    }
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    // Also ";Name=", "=" and quotes, which a connection string must not split the folder at.
    const QString folder = temp.path() + QStringLiteral("/命理 程序;Name=x 'q' \"d\" 目录/");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/proc/self/exe"), folder + QStringLiteral("reading_tests")));
    QFile::setPermissions(folder + QStringLiteral("reading_tests"), QFile::ReadOwner | QFile::ExeOwner);
    WriteStoreAt(folder + QStringLiteral("QuorFile.dll"), {{"ooooo", StoredForm("\xB8\xA3")}});

    QProcess copy;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_EXPECTED_FOLDER"), folder);
    copy.setProcessEnvironment(env);
    copy.start(
        folder + QStringLiteral("reading_tests"),
        {QStringLiteral("--gtest_filter=ProgramFolder.WorksFromAFolderWithChineseCharactersAndBlanks")});
    ASSERT_TRUE(copy.waitForFinished(60000));
    EXPECT_EQ(copy.exitStatus(), QProcess::NormalExit);
    const QByteArray output = copy.readAll();
    EXPECT_EQ(copy.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST(Trim, RemovesControlsAndBlanksAtBothEnds) {
    EXPECT_EQ(Trim(QByteArray("\t\r\n 0A1B \x01\x7F  ", 13)), QByteArray("0A1B \x01\x7F", 7));
    EXPECT_EQ(Trim(" \x1F "), QByteArray());
    EXPECT_EQ(Trim("\xB2\xE2 "), QByteArray("\xB2\xE2")); // high bytes are text, not blanks
}

} // namespace
