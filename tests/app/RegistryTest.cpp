// SPDX-License-Identifier: GPL-3.0-or-later
// The registry hive file and the start-page value kept in it.
#include "Registry.h"
#include "Errors.h"
#include "RegistryHive.h"
#include "UntReg.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Platform::Registry;

namespace {

const QString MainKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString MainPath = QStringLiteral("HKEY_CURRENT_USER\\") + MainKey;

// Each test gets its own XDG_CONFIG_HOME.
class HiveFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ::setenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path()).constData(), 1);
    }
    QString path() const { return dir_.path() + QStringLiteral("/velmora/user.reg"); }
    void write(const QByteArray& text) const {
        QDir().mkpath(dir_.path() + QStringLiteral("/velmora"));
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray read() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The hive and whatever a write left beside it, except the writers' lock file.
    QStringList filesInFolder() const {
        QStringList files = QDir(dir_.path() + QStringLiteral("/velmora")).entryList(QDir::Files);
        files.removeAll(QStringLiteral("user.reg.lock"));
        return files;
    }

    LONG set(const QString& name, DWORD type, const QByteArray& data) const {
        HKEY key = nullptr;
        LONG r = RegCreateKeyEx(HKEY_CURRENT_USER, MainKey, &key);
        if (r != ERROR_SUCCESS)
            return r;
        r = RegSetValueEx(key, name, type, reinterpret_cast<const BYTE*>(data.constData()),
                          static_cast<DWORD>(data.size()));
        RegCloseKey(key);
        return r;
    }
    std::optional<Value> get(const QString& name) const {
        HKEY key = nullptr;
        if (RegCreateKeyEx(HKEY_CURRENT_USER, MainKey, &key) != ERROR_SUCCESS)
            return std::nullopt;
        Value v;
        DWORD size = 0;
        std::optional<Value> result;
        if (RegQueryValueEx(key, name, &v.type, nullptr, &size) == ERROR_SUCCESS) {
            v.data.resize(size);
            if (RegQueryValueEx(key, name, &v.type, reinterpret_cast<BYTE*>(v.data.data()), &size) ==
                ERROR_SUCCESS)
                result = v;
        }
        RegCloseKey(key);
        return result;
    }

    QTemporaryDir dir_;
};

// ---- Typed values go to the file and come back byte for byte ----

struct RoundTrip {
    const char* label;
    DWORD type;
    QByteArray data;
    const char* line; // how the value is written, or nullptr when not checked
};

class HiveRoundTrip : public HiveFile, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(HiveRoundTrip, ValueReadsBackAsWritten) {
    const RoundTrip& row = GetParam();
    ASSERT_EQ(set(QStringLiteral("Value"), row.type, row.data), ERROR_SUCCESS);
    const std::optional<Value> v = get(QStringLiteral("value")); // names compare case-insensitively
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, row.type);
    EXPECT_EQ(v->data, row.data);
    if (row.line) {
        EXPECT_TRUE(read().contains(row.line)) << read().constData();
    }
    // A second write of the same value leaves the file as it was.
    const QByteArray before = read();
    ASSERT_EQ(set(QStringLiteral("Value"), row.type, row.data), ERROR_SUCCESS);
    EXPECT_EQ(read(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Types, HiveRoundTrip,
    ::testing::Values(
        RoundTrip{"sz", REG_SZ, QByteArray("http://a.example/?x=1\0", 22),
                  "\"Value\"=\"http://a.example/?x=1\""},
        RoundTrip{"szEscapes", REG_SZ, QByteArray("C:\\dir \"q\"\0", 11),
                  "\"Value\"=\"C:\\\\dir \\\"q\\\"\""},
        RoundTrip{"szChinese", REG_SZ, QByteArray("风铃导航\0", 13), "\"Value\"=\"风铃导航\""},
        RoundTrip{"szEmpty", REG_SZ, QByteArray("\0", 1), "\"Value\"=\"\""},
        RoundTrip{"szNoZero", REG_SZ, QByteArray("ab"), "\"Value\"=hex(1):61,62"},
        RoundTrip{"szLineBreak", REG_SZ, QByteArray("a\nb\0", 4), "hex(1):61,0a,62,00"},
        RoundTrip{"szNotUtf8", REG_SZ, QByteArray("\xB4\xBA\0", 3), "hex(1):b4,ba,00"},
        RoundTrip{"expandSz", REG_EXPAND_SZ, QByteArray("%HOME%\0", 7), "hex(2):25,48,4f,4d,45,25,00"},
        RoundTrip{"dword", REG_DWORD, QByteArray("\x2a\x00\x00\x80", 4), "\"Value\"=dword:8000002a"},
        RoundTrip{"dwordShort", REG_DWORD, QByteArray("\x01", 1), "hex(4):01"},
        RoundTrip{"binary", REG_BINARY, QByteArray("\x00\xff\x10", 3), "\"Value\"=hex:00,ff,10"},
        RoundTrip{"binaryEmpty", REG_BINARY, QByteArray(), "\"Value\"=hex:"},
        RoundTrip{"binaryLong", REG_BINARY, QByteArray(100, '\x5a'), nullptr},
        RoundTrip{"multiSz", REG_MULTI_SZ, QByteArray("a\0b\0\0", 5), "hex(7):61,00,62,00,00"},
        RoundTrip{"otherType", 0x2b, QByteArray("\x01\x02", 2), "hex(2b):01,02"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(HiveFile, LongHexDataWrapsAndParses) {
    ASSERT_EQ(set(QStringLiteral("Blob"), REG_BINARY, QByteArray(100, '\x5a')), ERROR_SUCCESS);
    for (const QByteArray& line : read().split('\n'))
        EXPECT_LE(line.size(), 80);
    EXPECT_TRUE(read().contains(",\\\n  5a,"));
}

// ---- What we do not touch stays as it was ----

const QByteArray ForeignHive = "REGEDIT4\r\n"
                               "\r\n"
                               "; kept by hand\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                               "\"Odd\" = \"spacing kept\"\r\n"
                               "\"Wide\"=hex:01,02,03,\\\r\n"
                               "    04,05\r\n"
                               "@=\"default\"\r\n"
                               "\r\n"
                               "[hkey_current_user\\software\\microsoft\\internet explorer\\main]\r\n"
                               "\"Search Page\"=\"http://search.example/\"\r\n"
                               "\"Start Page\"=\"http://old.example/\"\r\n"
                               "\"Zoom\"=dword:00000064\r\n"
                               "\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Last]\r\n"
                               "\"Tail\"=\"no line break at the end\"";

TEST_F(HiveFile, ReplacingAValueKeepsEveryOtherByte) {
    write(ForeignHive);
    UntReg::SetStartPage("http://portal.velmora.example/?400");
    QByteArray expected = ForeignHive;
    expected.replace("\"Start Page\"=\"http://old.example/\"",
                     "\"Start Page\"=\"http://portal.velmora.example/?400\"");
    EXPECT_EQ(read(), expected);
}

TEST_F(HiveFile, ANewValueGoesAfterTheLastValueOfItsKey) {
    write(ForeignHive);
    ASSERT_EQ(set(QStringLiteral("New"), REG_DWORD, QByteArray("\x07\0\0\0", 4)), ERROR_SUCCESS);
    QByteArray expected = ForeignHive;
    expected.replace("\"Zoom\"=dword:00000064\r\n", "\"Zoom\"=dword:00000064\r\n\"New\"=dword:00000007\r\n");
    EXPECT_EQ(read(), expected);
    // The foreign values still read as they were.
    const std::optional<Hive> hive = Hive::parse(read());
    ASSERT_TRUE(hive);
    EXPECT_EQ(hive->value(QStringLiteral("HKEY_CURRENT_USER\\Software\\Other"), QStringLiteral("Wide"))->data,
              QByteArray("\x01\x02\x03\x04\x05"));
    EXPECT_EQ(hive->value(QStringLiteral("HKEY_CURRENT_USER\\Software\\Other"), QString())->data,
              QByteArray("default\0", 8));
}

TEST_F(HiveFile, ANewKeyIsAppendedInTheFilesLineEndings) {
    write("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Last]\r\n\"Tail\"=\"x\"");
    ASSERT_EQ(set(QStringLiteral("Start Page"), REG_SZ, QByteArray("a\0", 2)), ERROR_SUCCESS);
    EXPECT_EQ(read(),
              QByteArray("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Last]\r\n\"Tail\"=\"x\"\r\n\r\n["
                         "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main]\r\n"
                         "\"Start Page\"=\"a\"\r\n"));
}

TEST_F(HiveFile, AMissingFileIsCreatedWithTheKey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, MainKey, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(read(), QByteArray("REGEDIT4\n\n[") + MainPath.toUtf8() + "]\n");
}

// ---- A damaged hive is never overwritten ----

class DamagedHive : public HiveFile, public ::testing::WithParamInterface<const char*> {};

TEST_P(DamagedHive, OpeningFailsAndNothingIsWritten) {
    const QByteArray text = GetParam();
    write(text);
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, MainKey, &key), ERROR_BADDB);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(UntReg::GetStartPage(), QByteArray());
    try {
        UntReg::SetStartPage("http://portal.velmora.example/?400");
        ADD_FAILURE() << "the write went through";
    } catch (const EVelmoraError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Start Page'");
    }
    EXPECT_EQ(read(), text);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("user.reg")});
}

INSTANTIATE_TEST_SUITE_P(Texts, DamagedHive,
                         ::testing::Values("not a registry file at all",
                                           "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n",
                                           "REGEDIT4\n\"Outside\"=\"any key\"\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",
                                           "REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=-\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"unterminated\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:1,zz\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,\\\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"\xB4\xBA\"\n",
                                           "REGEDIT4\n[HKEY_CURRENT_USER\\A]\njust words\n"));

// ---- Writes are atomic ----

TEST_F(HiveFile, AReaderKeepsTheWholeOldHiveAcrossAWrite) {
    write(ForeignHive);
    QFile reader(path());
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    UntReg::SetStartPage("http://portal.velmora.example/?400");
    EXPECT_EQ(reader.readAll(), ForeignHive); // replaced by rename, not rewritten in place
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("user.reg")});
}

TEST_F(HiveFile, AFullDiskLeavesTheOldHive) {
    write(ForeignHive);
    // A file size limit makes the write fail part-way, as a full disk would.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const LONG r = set(QStringLiteral("Start Page"), REG_SZ, QByteArray("http://new.example/\0", 20));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r, ERROR_REGISTRY_IO_FAILED);
    EXPECT_EQ(read(), ForeignHive);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("user.reg")});
}

// ---- The query calls ----

TEST_F(HiveFile, QueryReportsSizesAndMissingValues) {
    ASSERT_EQ(set(QStringLiteral("S"), REG_SZ, QByteArray("abc\0", 4)), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, MainKey, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 2;
    BYTE small[2] = {};
    EXPECT_EQ(RegQueryValueEx(key, QStringLiteral("S"), &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegQueryValueEx(key, QStringLiteral("Missing"), &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(nullptr, QStringLiteral("S"), &type, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueEx(nullptr, QStringLiteral("S"), REG_SZ, nullptr, 0), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("Bad\nName"), &key), ERROR_INVALID_PARAMETER);
}

TEST_F(HiveFile, HivePathFollowsXdgConfigHome) {
    EXPECT_EQ(HivePath(), path());
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1); // not absolute: ignored, as XDG says
    EXPECT_EQ(HivePath(), QDir::homePath() + QStringLiteral("/.config/velmora/user.reg"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(HivePath(), QDir::homePath() + QStringLiteral("/.config/velmora/user.reg"));
}

// ---- The start page ----

TEST_F(HiveFile, MissingStartPageReadsEmptyAndLeavesTheKey) {
    EXPECT_EQ(UntReg::GetStartPage(), QByteArray());
    const std::optional<Hive> hive = Hive::parse(read());
    ASSERT_TRUE(hive);
    EXPECT_TRUE(hive->hasKey(MainPath));
}

struct StartPageRow {
    const char* label;
    DWORD type;
    QByteArray data;
    QByteArray expected;
    bool raises;
};

class StartPageRead : public HiveFile, public ::testing::WithParamInterface<StartPageRow> {};

TEST_P(StartPageRead, ReadsStringsAndRejectsOtherTypes) {
    const StartPageRow& row = GetParam();
    ASSERT_EQ(set(QStringLiteral("Start Page"), row.type, row.data), ERROR_SUCCESS);
    try {
        EXPECT_EQ(UntReg::GetStartPage(), row.expected);
        EXPECT_FALSE(row.raises);
    } catch (const EVelmoraError& e) {
        EXPECT_TRUE(row.raises);
        EXPECT_STREQ(e.what(), "Invalid data type for 'Start Page'");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, StartPageRead,
    ::testing::Values(
        StartPageRow{"sz", REG_SZ, QByteArray("http://a/\0", 10), "http://a/", false},
        StartPageRow{"upToFirstZero", REG_SZ, QByteArray("http://a/\0tail\0", 15), "http://a/", false},
        StartPageRow{"noZero", REG_SZ, QByteArray("http://a/"), "http://a/", false},
        StartPageRow{"expandNotExpanded", REG_EXPAND_SZ, QByteArray("%HOME%/x\0", 9), "%HOME%/x", false},
        StartPageRow{"emptyBinary", REG_BINARY, QByteArray(), "", false},
        StartPageRow{"dword", REG_DWORD, QByteArray("\1\0\0\0", 4), "", true},
        StartPageRow{"binary", REG_BINARY, QByteArray("ab"), "", true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(HiveFile, SetStartPageWritesTheAddressAndOneZeroAsString) {
    UntReg::SetStartPage("http://portal.velmora.example/?400");
    const std::optional<Value> v = get(QStringLiteral("Start Page"));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, REG_SZ);
    EXPECT_EQ(v->data, QByteArray("http://portal.velmora.example/?400\0", 35));
    EXPECT_EQ(UntReg::GetStartPage(), QByteArray("http://portal.velmora.example/?400"));
}

// ---- A hive that is not a regular file, shared by several writers, or a link ----

// Runs body in a child process and gives its exit code, or -1 when it has not finished within
// the bound (the child is then killed): a read that blocks fails the test instead of hanging it.
int RunBounded(const std::function<int()>& body, std::chrono::seconds bound) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    const auto end = std::chrono::steady_clock::now() + bound;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

struct SpecialHive {
    const char* label;
    void (*make)(const QByteArray& path);
};

class SpecialHiveFile : public HiveFile, public ::testing::WithParamInterface<SpecialHive> {};

TEST_P(SpecialHiveFile, CountsAsDamagedWithoutBlockingOrGrowing) {
    const QByteArray hive = QFile::encodeName(path());
    QDir().mkpath(dir_.path() + QStringLiteral("/velmora"));
    GetParam().make(hive);
    struct stat before {};
    ASSERT_EQ(::lstat(hive.constData(), &before), 0);
    const int code = RunBounded(
        [] {
            rlimit memory{512L << 20, 512L << 20}; // reading /dev/zero whole must not be the way out
            ::setrlimit(RLIMIT_AS, &memory);
            HKEY key = nullptr;
            if (RegCreateKeyEx(HKEY_CURRENT_USER, MainKey, &key) != ERROR_BADDB || key)
                return 1;
            if (!UntReg::GetStartPage().isEmpty())
                return 2;
            try {
                UntReg::SetStartPage("http://portal.velmora.example/?400");
                return 3;
            } catch (const EVelmoraError&) {
            }
            return 0;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: blocked; 1: opened; 2: read a value; 3: wrote";
    struct stat after {};
    ASSERT_EQ(::lstat(hive.constData(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode); // left in place, not replaced by a regular file
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SpecialHiveFile,
    ::testing::Values(
        SpecialHive{"fifo", [](const QByteArray& p) { ASSERT_EQ(::mkfifo(p.constData(), 0600), 0); }},
        SpecialHive{"linkToDevZero",
                    [](const QByteArray& p) { ASSERT_EQ(::symlink("/dev/zero", p.constData()), 0); }},
        SpecialHive{"directory", [](const QByteArray& p) { ASSERT_EQ(::mkdir(p.constData(), 0700), 0); }},
        SpecialHive{"socket",
                    [](const QByteArray& p) {
                        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                        sockaddr_un addr{};
                        addr.sun_family = AF_UNIX;
                        ASSERT_LT(p.size(), qsizetype(sizeof addr.sun_path));
                        std::memcpy(addr.sun_path, p.constData(), size_t(p.size()));
                        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
                        ::close(fd);
                    }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(HiveFile, AWriteGoesThroughALinkAndKeepsTheMode) {
    const QString real = dir_.path() + QStringLiteral("/elsewhere/user.reg");
    QDir().mkpath(dir_.path() + QStringLiteral("/elsewhere"));
    QDir().mkpath(dir_.path() + QStringLiteral("/velmora"));
    {
        QFile f(real);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ForeignHive);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    ASSERT_EQ(::symlink("../elsewhere/user.reg", QFile::encodeName(path()).constData()), 0);

    UntReg::SetStartPage("http://portal.velmora.example/?400");

    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(path()).constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced";
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    QFile f(real);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("\"Start Page\"=\"http://portal.velmora.example/?400\""));
    EXPECT_EQ(QDir(dir_.path() + QStringLiteral("/elsewhere")).entryList(QDir::Files),
              (QStringList{QStringLiteral("user.reg"), QStringLiteral("user.reg.lock")}));
}

TEST_F(HiveFile, ANewHiveIsPrivate) {
    ::umask(022);
    UntReg::SetStartPage("http://portal.velmora.example/?400");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(HiveFile, AWriteRemovesTemporaryFilesOfKilledWriters) {
    write(ForeignHive);
    for (const char* name :
         {"user.reg.Ab12Cd", "user.reg.zzzzzz", "user.reg.bak", "user.reg.Ab12C", "other.Ab12Cd"}) {
        QFile f(dir_.path() + QStringLiteral("/velmora/") + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("REGEDIT4\n");
    }
    UntReg::SetStartPage("http://portal.velmora.example/?400");
    EXPECT_EQ(filesInFolder(),
              (QStringList{QStringLiteral("other.Ab12Cd"), QStringLiteral("user.reg"),
                           QStringLiteral("user.reg.Ab12C"), QStringLiteral("user.reg.bak")}));
}

// Three instances of the program write 200 values each at the same time; every value arrives.
TEST_F(HiveFile, ConcurrentWritersLoseNothing) {
    constexpr int Writers = 3;
    constexpr int Values = 200;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.path());
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int i = 0; i < Writers; ++i) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->setProcessEnvironment(env);
        writers.back()->setProcessChannelMode(QProcess::ForwardedChannels);
        writers.back()->start(QStringLiteral(HIVE_WRITER),
                              {QStringLiteral("w%1").arg(i), QString::number(Values)});
    }
    for (auto& w : writers) {
        ASSERT_TRUE(w->waitForFinished(100000)) << "a writer did not finish";
        EXPECT_EQ(w->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(w->exitCode(), 0);
    }
    const std::optional<Hive> hive = Hive::parse(read());
    ASSERT_TRUE(hive);
    int lost = 0;
    for (int i = 0; i < Writers; ++i)
        for (int k = 0; k < Values; ++k)
            lost += !hive->value(QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmora\\Writers"),
                                 QStringLiteral("w%1-%2").arg(i).arg(k));
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("user.reg")});
}

} // namespace
