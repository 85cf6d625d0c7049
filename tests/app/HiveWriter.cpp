// SPDX-License-Identifier: GPL-3.0-or-later
// hive_writer PREFIX COUNT: sets COUNT values PREFIX-0 … PREFIX-(COUNT-1) in the current user's
// hive, one write each, as one instance of the program would. Exits 1 at the first failed write.
#include "LinuxFacilities.h"
#include "Registry.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

using namespace Platform::Registry;

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    if (argc != 3) {
        std::fprintf(stderr, "usage: hive_writer PREFIX COUNT\n");
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    for (int k = 0; k < count; ++k) {
        HKEY key = nullptr;
        LONG r = RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software\\Velmora\\Writers"), &key);
        const DWORD data = static_cast<DWORD>(k);
        if (r == ERROR_SUCCESS)
            r = RegSetValueEx(key, prefix + QLatin1Char('-') + QString::number(k), REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof data);
        RegCloseKey(key);
        if (r != ERROR_SUCCESS) {
            std::fprintf(stderr, "write %d failed: %d\n", k, int(r));
            return 1;
        }
    }
    return 0;
}
