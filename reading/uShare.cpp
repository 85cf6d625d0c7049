// SPDX-License-Identifier: GPL-3.0-or-later
#include "uShare.h"

#include "ConnectionString.h"
#include "Database.h"
#include "Errors.h"
#include "Logging.h"
#include "Platform.h"
#include "Text.h"

#include <memory>

namespace uShare {

QString GetAppPath() {
    return Platform::ProgramPath();
}

QString GetConnectionString() {
    // The folder ends in "/" and the file part starts with one; the doubled separator is harmless.
    // A folder holding ";" or quotes is quoted, so the data source cannot end inside it.
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
           Platform::ConnectionString::QuotedValue(GetAppPath() + QStringLiteral("/QuorFile.dll")) +
           QStringLiteral(";Persist Security Info=True");
}

QByteArray QueryReading(const QByteArray& code) {
    // Freed on every path, the failing ones too.
    const std::unique_ptr<Platform::Query> query = Platform::services().database().createQuery();
    query->ConnectionString = GetConnectionString();
    QByteArray sql = "Select content from zhiwen where zhiwen =";
    sql += '\'' + QByteArray(code).replace('\'', "''") + '\'';
    query->SQL = DecodeText(sql);
    try {
        query->Open();
        if (query->IsEmpty()) {
            qCDebug(Platform::lcReading, "no reading stored for code \"%s\"", code.constData());
            return {};
        }
        // Readings are a few hundred bytes; a huge field is a damaged or tampered store, and
        // decoding it would hold the window for minutes.
        if (query->FirstFieldBytes() > MaxStoredReadingBytes) {
            qCDebug(Platform::lcReading, "the reading for \"%s\" is %lld bytes, more than a reading can be",
                    code.constData(), static_cast<long long>(query->FirstFieldBytes()));
            Platform::Abort();
        }
        return Unscramble(Trim(query->FirstFieldAsText()), ReadingKey, ReadingRounds);
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        qCDebug(Platform::lcReading, "the readings store %s failed: %s", qPrintable(GetConnectionString()),
                Platform::CaughtMessage());
        Platform::Abort();
    }
}

namespace {
int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

QByteArray HexToText(const QByteArray& text) {
    const qsizetype pairs = text.size() / 2;
    QByteArray result;
    result.reserve(pairs);
    for (qsizetype k = 0; k < pairs; ++k) {
        const int hi = hexDigit(text[2 * k]);
        const int lo = hexDigit(text[2 * k + 1]);
        if (hi < 0 || lo < 0) {
            Platform::Beep();
            continue;
        }
        result += char(hi << 4 | lo);
    }
    return result;
}

QByteArray Unscramble(const QByteArray& text, std::uint16_t key, std::int32_t rounds) {
    QByteArray bytes = HexToText(text);
    const qsizetype n = bytes.size();
    if (n == 0)
        return {};
    const auto high = static_cast<std::uint8_t>(key >> 8);
    const auto low = static_cast<std::uint8_t>(key & 0xFF);
    auto* b = reinterpret_cast<std::uint8_t*>(bytes.data());
    // Sums wrap at 256 through the uint8_t casts.
    for (std::int32_t round = 0; round < rounds; ++round) {
        for (qsizetype i = 1; i < n; ++i) // forward: each byte mixes with its new left neighbour
            b[i] = static_cast<std::uint8_t>(b[i - 1] + b[i]) ^ high;
        for (qsizetype i = n - 2; i >= 0; --i) // backward: with its new right neighbour
            b[i] = static_cast<std::uint8_t>(b[i] + b[i + 1]) ^ low;
    }
    return bytes;
}

QString DecodeText(const QByteArray& gb) {
    return Platform::DecodeGbk(gb);
}

QByteArray EncodeText(const QString& text) {
    return Platform::EncodeGbk(text);
}

} // namespace uShare
