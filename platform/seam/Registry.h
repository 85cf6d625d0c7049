// SPDX-License-Identifier: GPL-3.0-or-later
// The current user's registry, in the shape of the Win32 calls the program was written against:
// open or create a key, query a value's size and type, query its data, set it, close the key.
//
// HKEY_CURRENT_USER lives in one hive file, $XDG_CONFIG_HOME/velmora/user.reg (default
// ~/.config/velmora/user.reg), a UTF-8 REGEDIT4 text (see RegistryHive.h). String data is UTF-8
// bytes with a terminating zero.
//
// Every call reads the file afresh; every change replaces it atomically (temporary file, fsync,
// rename), so a crash or a full disk leaves the old hive or the new one, never a mix. A hive that
// cannot be parsed, or that is not a regular file, is never overwritten: opening a key fails with
// ERROR_BADDB, and so does every query or write. Writers take a lock beside the hive, so several
// instances of the program lose none of each other's values (see HiveFile.h). The calls go to the
// program's registry facility (HiveFileRegistry unless a test put another in its place).
#pragma once

#include <QString>

#include <cstdint>

namespace Platform::Registry {

using LONG = std::int32_t;
using DWORD = std::uint32_t;
using BYTE = std::uint8_t;

// An open key: its full path ("HKEY_CURRENT_USER\\Software\\..."). Predefined keys are never freed.
struct KeyObject {
    QString path;
    bool predefined = false;
};
using HKEY = KeyObject*;

extern const HKEY HKEY_CURRENT_USER;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

// Results.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2; // no such value (or key)
inline constexpr LONG ERROR_ACCESS_DENIED = 5;  // the hive file cannot be read
inline constexpr LONG ERROR_INVALID_HANDLE = 6; // a null or unknown key
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;           // the buffer is too small; *size tells how big
inline constexpr LONG ERROR_BADDB = 1009;              // the hive file is not a REGEDIT4 hive
inline constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016; // the hive file could not be written

// Opens subKey under root, creating it (and writing the hive) when it is missing. On failure
// *result is null.
LONG RegCreateKeyEx(HKEY root, const QString& subKey, HKEY* result);

// With data null: stores the value's type and size. With data: copies at most *size bytes, or
// fails with ERROR_MORE_DATA and the needed size. type may be null.
LONG RegQueryValueEx(HKEY key, const QString& valueName, DWORD* type, BYTE* data, DWORD* size);

LONG RegSetValueEx(HKEY key, const QString& valueName, DWORD type, const BYTE* data, DWORD size);

LONG RegCloseKey(HKEY key);

// Where HKEY_CURRENT_USER is stored, from the environment at the time of the call.
QString HivePath();

} // namespace Platform::Registry

namespace Platform {

// The current user's registry behind the calls above.
class UserRegistry {
public:
    virtual ~UserRegistry() = default;
    virtual Registry::LONG createKey(Registry::HKEY root, const QString& subKey, Registry::HKEY* result) = 0;
    virtual Registry::LONG queryValue(Registry::HKEY key, const QString& valueName, Registry::DWORD* type,
                                      Registry::BYTE* data, Registry::DWORD* size) = 0;
    virtual Registry::LONG setValue(Registry::HKEY key, const QString& valueName, Registry::DWORD type,
                                    const Registry::BYTE* data, Registry::DWORD size) = 0;
    virtual Registry::LONG closeKey(Registry::HKEY key) = 0;
};

} // namespace Platform
