// SPDX-License-Identifier: GPL-3.0-or-later
#include "HiveFileRegistry.h"

#include "RegistryHive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace Platform::Registry {

namespace {

// A hive larger than this is not ours to read whole; it counts as damaged.
constexpr qint64 MaxHiveBytes = 16 * 1024 * 1024;

bool validName(const QString& name) {
    return std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20; });
}

QString childPath(const KeyObject& parent, const QString& subKey) {
    QString sub = subKey;
    while (sub.startsWith(QLatin1Char('\\')))
        sub.remove(0, 1);
    while (sub.endsWith(QLatin1Char('\\')))
        sub.chop(1);
    return sub.isEmpty() ? parent.path : parent.path + QLatin1Char('\\') + sub;
}

// A missing file is an empty hive.
LONG load(Hive& hive) {
    QFile file(HivePath());
    if (!file.exists()) {
        hive = Hive();
        return ERROR_SUCCESS;
    }
    if (!file.open(QIODevice::ReadOnly))
        return ERROR_ACCESS_DENIED;
    if (file.size() > MaxHiveBytes)
        return ERROR_BADDB;
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ERROR_ACCESS_DENIED;
    std::optional<Hive> parsed = Hive::parse(text);
    if (!parsed)
        return ERROR_BADDB;
    hive = std::move(*parsed);
    return ERROR_SUCCESS;
}

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

// Temporary file in the same folder, fsync, rename over the hive, fsync the folder: readers and
// a crash see the old hive or the new one, never part of one.
LONG save(const Hive& hive) {
    const QString path = HivePath();
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return ERROR_REGISTRY_IO_FAILED;
    QByteArray temp = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return ERROR_REGISTRY_IO_FAILED;
    bool ok = writeAll(fd, hive.text()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.constData(), QFile::encodeName(path).constData()) == 0;
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

} // namespace

QString HivePath() {
    QString base = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/velmora/user.reg");
}

LONG HiveFileRegistry::createKey(HKEY root, const QString& subKey, HKEY* result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!root)
        return ERROR_INVALID_HANDLE;
    if (!validName(subKey))
        return ERROR_INVALID_PARAMETER;
    const QString path = childPath(*root, subKey);
    Hive hive;
    if (const LONG r = load(hive); r != ERROR_SUCCESS)
        return r;
    if (!hive.hasKey(path)) {
        hive.addKey(path);
        if (const LONG r = save(hive); r != ERROR_SUCCESS)
            return r;
    }
    *result = new KeyObject{path, false};
    return ERROR_SUCCESS;
}

LONG HiveFileRegistry::queryValue(HKEY key, const QString& valueName, DWORD* type, BYTE* data, DWORD* size) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    Hive hive;
    if (const LONG r = load(hive); r != ERROR_SUCCESS)
        return r;
    const std::optional<Value> value = hive.value(key->path, valueName);
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    if (!size)
        return ERROR_SUCCESS;
    const auto needed = static_cast<DWORD>(value->data.size());
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data && needed > 0)
        std::memcpy(data, value->data.constData(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG HiveFileRegistry::setValue(HKEY key, const QString& valueName, DWORD type, const BYTE* data,
                                DWORD size) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!validName(valueName) || (!data && size > 0))
        return ERROR_INVALID_PARAMETER;
    Hive hive;
    if (const LONG r = load(hive); r != ERROR_SUCCESS)
        return r;
    hive.setValue(key->path, valueName,
                  Value{type, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))});
    return save(hive);
}

LONG HiveFileRegistry::closeKey(HKEY key) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!key->predefined)
        delete key;
    return ERROR_SUCCESS;
}

} // namespace Platform::Registry
