// SPDX-License-Identifier: GPL-3.0-or-later
// The file that holds a registry hive: reading it whole, and replacing it under a lock.
//
// Readers take no lock: a hive is only ever replaced by rename, so a reader sees the old file or
// the new one. Writers hold an exclusive lock on "<hive>.lock" beside the hive from their read to
// their rename, so each write starts from the hive the previous write left and nothing is lost.
// A symbolic link in place of the hive is followed: the file it names is replaced and the link
// stays. The hive keeps its mode; a new hive is 0600.
#pragma once

#include "Registry.h"

#include <QByteArray>
#include <QString>

namespace Platform::Registry {

// A hive larger than this is not ours to read whole; it counts as damaged.
inline constexpr qint64 MaxHiveBytes = 16 * 1024 * 1024;

// The file a hive path stands for once symbolic links are followed (a missing target included).
QString ResolvedHivePath(const QString& path);

// Reads the hive file. A missing file gives ERROR_SUCCESS and *exists false. Anything but a
// regular file (a FIFO, a device, a socket, a folder) and a file over MaxHiveBytes give
// ERROR_BADDB, without blocking and without reading more than MaxHiveBytes + 1 bytes.
LONG ReadHiveFile(const QString& path, QByteArray* text, bool* exists = nullptr);

// Holds the writers' lock of a hive while it lives. Waits at most a few seconds for another
// writer; ok() is false when the lock could not be had.
class HiveLock {
public:
    explicit HiveLock(const QString& hivePath);
    ~HiveLock();
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;
    bool ok() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Replaces the hive file with text (temporary file beside it, fsync, rename, fsync of the
// folder), first removing temporary files that an interrupted writer left. Call it only while a
// HiveLock of the hive is held.
LONG WriteHiveFile(const QString& path, const QByteArray& text);

} // namespace Platform::Registry
