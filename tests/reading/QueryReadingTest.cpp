// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "Errors.h"
#include "uShare.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <ostream>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray Reading("\xB2\xE2\xCB\xE3\r\xBD\xE1\xB9\xFB"); // "测算\r结果"

class QueryReadingTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveStore(); }
    void TearDown() override { RemoveStore(); }
    std::shared_ptr<FakeBeeper> beeper = std::make_shared<FakeBeeper>();
    Platform::ScopedService<Platform::Beeper> fakeBeeper{beeper};
};

TEST_F(QueryReadingTest, ReturnsTheDecodedReadingOfTheRow) {
    WriteStore({{"xxooo", StoredForm("other")}, {"ooxxo", " \t" + StoredForm(Reading) + "\r\n "}});
    EXPECT_EQ(uShare::QueryReading("ooxxo"), Reading); // blanks around the hex text are ignored
    EXPECT_EQ(beeper->beeps, 0);
}

TEST_F(QueryReadingTest, NoRowIsAnEmptyReadingNotAFailure) {
    WriteStore({{"ooxxo", StoredForm(Reading)}});
    EXPECT_EQ(uShare::QueryReading("ooxxx"), QByteArray());
    EXPECT_EQ(uShare::QueryReading("oo"), QByteArray()); // a short code is sent unchanged
    EXPECT_EQ(uShare::QueryReading(""), QByteArray());
}

TEST_F(QueryReadingTest, CodesAreComparedExactlyAndQuotesAreDoubled) {
    WriteStore({{"", StoredForm("empty")}, {"o'x", StoredForm("quote")}, {"o' OR '1'='1", StoredForm("no")}});
    EXPECT_EQ(uShare::QueryReading(""), QByteArray("empty"));
    EXPECT_EQ(uShare::QueryReading("o'x"), QByteArray("quote"));
    EXPECT_EQ(uShare::QueryReading("x' OR '1'='1"), QByteArray());
}

TEST_F(QueryReadingTest, TheFirstOfSeveralRowsWins) {
    WriteStore({{"ooooo", StoredForm("first")}, {"ooooo", StoredForm("second")}});
    EXPECT_EQ(uShare::QueryReading("ooooo"), QByteArray("first"));
}

TEST_F(QueryReadingTest, BlankOrBrokenContentDecodesAsFarAsItCan) {
    WriteStore({{"ooooo", "   "}, {"xxxxx", "41zz42"}});
    EXPECT_EQ(uShare::QueryReading("ooooo"), QByteArray());
    EXPECT_EQ(beeper->beeps, 0);
    uShare::QueryReading("xxxxx");
    EXPECT_EQ(beeper->beeps, 1);
}

struct BrokenStore {
    const char* name;
    void (*make)();
};
void PrintTo(const BrokenStore& row, std::ostream* os) {
    *os << row.name;
}

class BrokenStoreRows : public QueryReadingTest, public ::testing::WithParamInterface<BrokenStore> {};

TEST_P(BrokenStoreRows, FailsWithTheSilentAbort) {
    GetParam().make();
    EXPECT_THROW(uShare::QueryReading("ooooo"), EAbort);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BrokenStoreRows,
    ::testing::Values(
        BrokenStore{"Missing", [] {}}, BrokenStore{"ZeroLength", [] { WriteStoreBytes({}); }},
        BrokenStore{"Garbage", [] { WriteStoreBytes(QByteArray(4096, 'Q').prepend("MZ\x90")); }},
        BrokenStore{"HeaderOnly",
                    [] { WriteStoreBytes(QByteArray("SQLite format 3\0", 16) + QByteArray(84, 1)); }},
        BrokenStore{"NoTable", [] { WriteStore({}, "CREATE TABLE other (zhiwen TEXT, content TEXT)"); }},
        BrokenStore{"NoContentColumn",
                    [] { WriteStore({}, "CREATE TABLE zhiwen (zhiwen TEXT, reading TEXT)"); }},
        BrokenStore{"NullContent",
                    [] {
                        WriteStore({{"ooooo", std::nullopt}});
                    }},
        BrokenStore{"Directory", [] { QDir().mkpath(StorePath()); }},
        BrokenStore{"LinkToDevZero", [] { QFile::link(QStringLiteral("/dev/zero"), StorePath()); }},
        BrokenStore{"ReadingOver64KiB", [] {
                        WriteStore({{"ooooo", StoredForm(QByteArray(32 * 1024 + 1, 'a'))}});
                    }}));

TEST_F(QueryReadingTest, AReadingOf64KiBIsStillRead) {
    const QByteArray longest(32 * 1024, 'a'); // 64 KiB of hex text
    WriteStore({{"ooooo", StoredForm(longest)}});
    EXPECT_EQ(uShare::QueryReading("ooooo"), longest);
}

// Opening a FIFO waits for a writer. Should the query block, a watchdog opens the write end after
// a few seconds so that the test fails instead of hanging.
TEST_F(QueryReadingTest, AFifoInPlaceOfTheStoreFailsWithoutBlocking) {
    const QByteArray fifo = QFile::encodeName(StorePath());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool blocked = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (done.wait_for(lock, std::chrono::seconds(5), [&] { return finished; }))
            return;
        blocked = true;
        const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    EXPECT_THROW(uShare::QueryReading("ooooo"), EAbort);
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    done.notify_one();
    watchdog.join();
    EXPECT_FALSE(blocked) << "the query waited on the FIFO";
}

TEST_F(QueryReadingTest, AStoreLockedByAWriterFailsAtOnceAndWorksAgainAfterwards) {
    WriteStore({{"ooooo", StoredForm(Reading)}});
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(StorePath()).constData(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_THROW(uShare::QueryReading("ooooo"), EAbort);
    sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
    EXPECT_EQ(uShare::QueryReading("ooooo"), Reading);
    // The query left no reader behind: a writer can take the file again at once.
    EXPECT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE; COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(writer);
}

TEST_F(QueryReadingTest, AFailedQueryLeavesNoReaderBehind) {
    WriteStore({{"ooooo", std::nullopt}});
    EXPECT_THROW(uShare::QueryReading("ooooo"), EAbort);
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(StorePath()).constData(), &writer), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE; COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(writer);
}

} // namespace
