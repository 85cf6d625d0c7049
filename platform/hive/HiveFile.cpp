// SPDX-License-Identifier: GPL-3.0-or-later
#include "HiveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace Platform::Registry {

namespace {

// Another writer holds the lock for one read and one write of the hive; a holder that keeps it
// longer than this is stuck, and the write fails rather than freeze the program.
constexpr auto LockWait = std::chrono::seconds(10);
constexpr int MaxLinks = 40; // as the kernel's own limit on nested links

// mkostemp's suffix: six letters or digits.
constexpr int TempSuffixLength = 6;

bool writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

bool isTempName(const QString& name, const QString& hiveName) {
    if (name.size() != hiveName.size() + 1 + TempSuffixLength ||
        !name.startsWith(hiveName + QLatin1Char('.')))
        return false;
    for (qsizetype i = hiveName.size() + 1; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

// Temporary files of a writer that was killed between mkostemp and rename. Only a writer holding
// the lock makes them, so under the lock every one of them is stale.
void removeStaleTemps(const QString& target) {
    const QFileInfo info(target);
    const QString hiveName = info.fileName();
    QDir dir(info.absolutePath());
    const QStringList names =
        dir.entryList({hiveName + QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (!isTempName(name, hiveName))
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(path.constData());
    }
}

} // namespace

QString ResolvedHivePath(const QString& path) {
    QString p = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < MaxLinks; ++i) {
        const QByteArray encoded = QFile::encodeName(p);
        struct stat st {};
        if (::lstat(encoded.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return p;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(encoded.constData(), target.data(), static_cast<size_t>(target.size()));
        if (n <= 0 || n >= target.size())
            return p;
        target.truncate(n);
        const QString next = QFile::decodeName(target);
        p = QDir::cleanPath(QDir::isAbsolutePath(next) ? next : QFileInfo(p).absolutePath() + u'/' + next);
    }
    return p; // a loop of links: opening it fails, as it should
}

LONG ReadHiveFile(const QString& path, QByteArray* text, bool* exists) {
    text->clear();
    if (exists)
        *exists = false;
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    if (exists)
        *exists = true;
    if (!S_ISREG(st.st_mode))
        return ERROR_BADDB;
    // O_NONBLOCK: should a FIFO take the file's place after the check, opening it does not wait
    // for a writer; fstat then rejects it.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return ERROR_ACCESS_DENIED;
    LONG result = ERROR_SUCCESS;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result = ERROR_BADDB;
    } else {
        // The size the file claims is not trusted: the loop stops at the cap whatever it says.
        QByteArray bytes(static_cast<qsizetype>(std::min<qint64>(st.st_size, MaxHiveBytes) + 1), '\0');
        qsizetype got = 0;
        while (result == ERROR_SUCCESS) {
            if (got == bytes.size()) {
                if (got > MaxHiveBytes) {
                    result = ERROR_BADDB;
                    break;
                }
                bytes.resize(std::min<qsizetype>(got * 2 + 4096, MaxHiveBytes + 1));
            }
            const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                result = ERROR_ACCESS_DENIED;
            else if (n == 0)
                break;
            else
                got += n;
        }
        if (result == ERROR_SUCCESS && got > MaxHiveBytes)
            result = ERROR_BADDB;
        if (result == ERROR_SUCCESS) {
            bytes.truncate(got);
            *text = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

HiveLock::HiveLock(const QString& hivePath) {
    const QString target = ResolvedHivePath(hivePath);
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return;
    const QByteArray name = QFile::encodeName(target + QStringLiteral(".lock"));
    const int fd =
        ::open(name.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    // flock locks die with their process, so a writer killed while holding one leaves no stale lock.
    const auto giveUp = std::chrono::steady_clock::now() + LockWait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= giveUp) {
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    fd_ = fd;
}

HiveLock::~HiveLock() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}

LONG WriteHiveFile(const QString& path, const QByteArray& text) {
    const QString target = ResolvedHivePath(path);
    const QString dir = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(dir))
        return ERROR_REGISTRY_IO_FAILED;
    removeStaleTemps(target);
    const QByteArray targetName = QFile::encodeName(target);
    mode_t mode = 0600;
    struct stat st {};
    if (::stat(targetName.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return ERROR_BADDB;
        mode = st.st_mode & 07777;
    }
    QByteArray temp = targetName + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return ERROR_REGISTRY_IO_FAILED;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return ERROR_REGISTRY_IO_FAILED;
    }
    const int dirFd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd); // the rename itself made durable; failing here loses nothing already written
        ::close(dirFd);
    }
    return ERROR_SUCCESS;
}

} // namespace Platform::Registry
