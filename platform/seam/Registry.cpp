// SPDX-License-Identifier: GPL-3.0-or-later
#include "Registry.h"

#include "Platform.h"

namespace Platform::Registry {

namespace {
KeyObject currentUser{QStringLiteral("HKEY_CURRENT_USER"), true};
} // namespace

const HKEY HKEY_CURRENT_USER = &currentUser;

LONG RegCreateKeyEx(HKEY root, const QString& subKey, HKEY* result) {
    return services().registry().createKey(root, subKey, result);
}

LONG RegQueryValueEx(HKEY key, const QString& valueName, DWORD* type, BYTE* data, DWORD* size) {
    return services().registry().queryValue(key, valueName, type, data, size);
}

LONG RegSetValueEx(HKEY key, const QString& valueName, DWORD type, const BYTE* data, DWORD size) {
    return services().registry().setValue(key, valueName, type, data, size);
}

LONG RegCloseKey(HKEY key) {
    return services().registry().closeKey(key);
}

} // namespace Platform::Registry
