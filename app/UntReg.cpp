// SPDX-License-Identifier: GPL-3.0-or-later
#include "UntReg.h"

#include "Errors.h"
#include "Registry.h"

#include <memory>
#include <vector>

using namespace Platform::Registry;

namespace UntReg {

namespace {

const QString MainKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString StartPage = QStringLiteral("Start Page");

// Opens (creating when missing) the key. Whether that worked is not examined here: a key that
// could not be opened makes every later call fail, which the callers handle.
struct OpenKey {
    HKEY key = nullptr;
    OpenKey() { RegCreateKeyEx(HKEY_CURRENT_USER, MainKey, &key); }
    ~OpenKey() {
        if (key)
            RegCloseKey(key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
};

} // namespace

QByteArray GetStartPage() {
    OpenKey k;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueEx(k.key, StartPage, &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw EVelmoraError(QStringLiteral("Invalid data type for '%1'").arg(StartPage));
    std::vector<BYTE> data(size);
    if (RegQueryValueEx(k.key, StartPage, &type, data.data(), &size) != ERROR_SUCCESS)
        return {}; // changed under us between the two queries: treat as missing
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw EVelmoraError(QStringLiteral("Invalid data type for '%1'").arg(StartPage));
    const QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(size));
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

void SetStartPage(const QByteArray& address) {
    OpenKey k;
    const QByteArray data = address + '\0';
    if (RegSetValueEx(k.key, StartPage, REG_SZ, reinterpret_cast<const BYTE*>(data.constData()),
                      static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
        throw EVelmoraError(QStringLiteral("Failed to set data for '%1'").arg(StartPage));
}

} // namespace UntReg
