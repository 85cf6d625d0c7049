// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Registry.h"

namespace Platform::Registry {

// HKEY_CURRENT_USER in the hive file at HivePath().
class HiveFileRegistry final : public UserRegistry {
public:
    LONG createKey(HKEY root, const QString& subKey, HKEY* result) override;
    LONG queryValue(HKEY key, const QString& valueName, DWORD* type, BYTE* data, DWORD* size) override;
    LONG setValue(HKEY key, const QString& valueName, DWORD type, const BYTE* data, DWORD size) override;
    LONG closeKey(HKEY key) override;
};

} // namespace Platform::Registry
