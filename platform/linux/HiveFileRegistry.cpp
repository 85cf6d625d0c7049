// SPDX-License-Identifier: GPL-3.0-or-later
#include "HiveFileRegistry.h"

#include "HiveFile.h"
#include "Logging.h"
#include "RegistryHive.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>

namespace Platform::Registry {

namespace {

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
    QByteArray text;
    bool exists = false;
    if (const LONG r = ReadHiveFile(HivePath(), &text, &exists); r != ERROR_SUCCESS) {
        qCDebug(lcHive, "the hive %s cannot be read (error %d)", qPrintable(HivePath()), int(r));
        return r;
    }
    if (!exists) {
        hive = Hive();
        return ERROR_SUCCESS;
    }
    std::optional<Hive> parsed = Hive::parse(text);
    if (!parsed) {
        qCDebug(lcHive, "the hive %s is not a REGEDIT4 hive; it is left as it is", qPrintable(HivePath()));
        return ERROR_BADDB;
    }
    hive = std::move(*parsed);
    return ERROR_SUCCESS;
}

// One change of the hive: under the writers' lock, read the hive as it is now, apply the change,
// write it back. Concurrent writers (other instances of the program) thus keep each other's values.
template <class Change> LONG update(Change change) {
    const HiveLock lock(HivePath());
    if (!lock.ok()) {
        qCDebug(lcHive, "no writer's lock beside %s", qPrintable(HivePath()));
        return ERROR_REGISTRY_IO_FAILED;
    }
    Hive hive;
    if (const LONG r = load(hive); r != ERROR_SUCCESS)
        return r;
    if (!change(hive))
        return ERROR_SUCCESS;
    return WriteHiveFile(HivePath(), hive.text());
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
        const LONG r = update([&](Hive& h) {
            if (h.hasKey(path))
                return false;
            h.addKey(path);
            return true;
        });
        if (r != ERROR_SUCCESS)
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
    const Value value{type, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))};
    return update([&](Hive& hive) {
        hive.setValue(key->path, valueName, value);
        return true;
    });
}

LONG HiveFileRegistry::closeKey(HKEY key) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!key->predefined)
        delete key;
    return ERROR_SUCCESS;
}

} // namespace Platform::Registry
