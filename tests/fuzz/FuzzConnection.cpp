// SPDX-License-Identifier: GPL-3.0-or-later
// Connection strings: any text is read without fault, and a data source written with QuotedValue
// reads back whole whatever it holds.
#include "ConnectionString.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)Platform::ConnectionString::DataSource(text);
    const QString connection = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                               Platform::ConnectionString::QuotedValue(text) +
                               QStringLiteral(";Persist Security Info=True");
    if (Platform::ConnectionString::DataSource(connection) != text)
        std::abort();
    return 0;
}
