// SPDX-License-Identifier: GPL-3.0-or-later
// A hive text: parse it; if it parses, change a value and add a key, and the result must parse again
// and read back what was set.
#include "RegistryHive.h"

#include <algorithm>
#include <cstdlib>

using namespace Platform::Registry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first bytes pick the value to set; the rest is the hive text.
    if (size < 3)
        return 0;
    const std::uint32_t type = data[0] % 9;
    const std::size_t nameLength = data[1] % 16;
    const std::size_t dataLength = data[2] % 32;
    if (size < 3 + nameLength + dataLength)
        return 0;
    const char* p = reinterpret_cast<const char*>(data) + 3;
    const QString name = QString::fromUtf8(p, qsizetype(nameLength));
    const QByteArray bytes(p + nameLength, qsizetype(dataLength));
    const QByteArray text(p + nameLength + dataLength, qsizetype(size - 3 - nameLength - dataLength));

    std::optional<Hive> hive = Hive::parse(text);
    if (!hive)
        return 0;
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Fuzz");
    if (name.contains(QChar(0)) ||
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20; }))
        return 0;
    hive->setValue(key, name, Value{type, bytes});
    hive->addKey(QStringLiteral("HKEY_CURRENT_USER\\Software\\Fuzz\\Sub"));
    const std::optional<Hive> again = Hive::parse(hive->text());
    if (!again)
        std::abort(); // an edit made the hive unreadable
    const std::optional<Value> back = again->value(key, name);
    if (!back || !(*back == Value{type, bytes}))
        std::abort(); // the value did not read back
    if (!again->hasKey(QStringLiteral("HKEY_CURRENT_USER\\Software\\Fuzz\\Sub")))
        std::abort();
    return 0;
}
