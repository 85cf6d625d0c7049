#include "reading/uShare.h"

#include "platform/DbQuery.h"
#include "platform/Errors.h"
#include "platform/Platform.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <filesystem>
#include <memory>
#include <system_error>

namespace uShare {

QString GetAppPath() {
    std::error_code ec;
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).native();
    if (ec)
        return {};
    const auto slash = exe.rfind('/');
    if (slash == std::string::npos)
        return {};
    return QString::fromLocal8Bit(exe.data(), qsizetype(slash + 1));
}

QString GetConnectionString() {
    // The folder ends in "/" and the file part starts with one; the doubled separator is harmless.
    // A folder holding ";" or quotes is quoted, so the data source cannot end inside it.
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
           Platform::DbQuery::QuotedValue(GetAppPath() + QStringLiteral("/QuorFile.dll")) +
           QStringLiteral(";Persist Security Info=True");
}

QByteArray Trim(const QByteArray& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return text.mid(first, last - first);
}

QByteArray QueryReading(const QByteArray& code) {
    auto query = std::make_unique<Platform::DbQuery>(); // freed on every path, the failing ones too
    query->ConnectionString = GetConnectionString();
    QByteArray sql = "Select content from zhiwen where zhiwen =";
    sql += '\'' + QByteArray(code).replace('\'', "''") + '\'';
    query->SQL = DecodeText(sql);
    try {
        query->Open();
        if (query->IsEmpty())
            return {};
        // Readings are a few hundred bytes; a huge field is a damaged or tampered store, and
        // decoding it would hold the window for minutes.
        if (query->FirstFieldBytes() > MaxStoredReadingBytes)
            Platform::Abort();
        return Unscramble(Trim(query->FirstFieldAsText()), ReadingKey, ReadingRounds);
    } catch (...) {
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
    // The decoder holds back an unfinished lead byte at the very end and drops it. A blank is never
    // a trail byte, so appending one turns that lead byte into U+FFFD; the blank is then cut off.
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(gb);
    QString text = decoder.decode(gb + ' ');
    text.chop(1);
    return text;
}

QByteArray EncodeText(const QString& text) {
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace uShare
