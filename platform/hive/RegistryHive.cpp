// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegistryHive.h"

#include "Registry.h"

#include <QByteArrayList>
#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace Platform::Registry {

namespace {

const QByteArray Header = QByteArrayLiteral("REGEDIT4");
constexpr int HexLineLimit = 78; // regedit wraps hex data near 80 columns

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes).operator QString();
    return !decoder.hasError();
}

QByteArray escape(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

// Reads a quoted string starting at text[0] == '"'. REGEDIT4 escapes only \\ and \"; any other
// backslash is kept as it stands. Returns the position after the closing quote, or -1.
qsizetype unquote(const QByteArray& text, QByteArray& out) {
    out.clear();
    for (qsizetype i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            return i + 1;
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"'))
            out += text[++i];
        else
            out += c;
    }
    return -1;
}

bool parseHexNumber(const QByteArray& digits, int maxDigits, std::uint32_t& value) {
    if (digits.isEmpty() || digits.size() > maxDigits)
        return false;
    bool ok = false;
    value = digits.toUInt(&ok, 16);
    // toUInt accepts a sign or "0x"; hex data never has them.
    return ok && digits.front() != '+' && digits.front() != '-' && !digits.contains('x') &&
           !digits.contains('X');
}

bool parseHexBytes(const QByteArray& list, QByteArray& out) {
    out.clear();
    if (list.trimmed().isEmpty())
        return true;
    for (const QByteArray& item : list.split(',')) {
        std::uint32_t b = 0;
        if (!parseHexNumber(item.trimmed(), 2, b))
            return false;
        out += static_cast<char>(b);
    }
    return true;
}

// The data part of a value line, after "=".
std::optional<Value> parseData(const QByteArray& data) {
    Value v;
    if (data.startsWith('"')) {
        QByteArray text;
        const qsizetype after = unquote(data, text);
        if (after < 0 || !data.mid(after).trimmed().isEmpty())
            return std::nullopt;
        v.type = REG_SZ;
        v.data = text + '\0';
        return v;
    }
    if (data.startsWith("dword:")) {
        std::uint32_t n = 0;
        if (!parseHexNumber(data.mid(6).trimmed(), 8, n))
            return std::nullopt;
        v.type = REG_DWORD;
        for (int i = 0; i < 4; ++i)
            v.data += static_cast<char>((n >> (8 * i)) & 0xFF); // little-endian, as the API hands it over
        return v;
    }
    qsizetype colon = -1;
    if (data.startsWith("hex:")) {
        v.type = REG_BINARY;
        colon = 3;
    } else if (data.startsWith("hex(")) {
        const qsizetype close = data.indexOf(')');
        if (close < 0 || close + 1 >= data.size() || data[close + 1] != ':' ||
            !parseHexNumber(data.mid(4, close - 4), 8, v.type))
            return std::nullopt;
        colon = close + 1;
    } else {
        return std::nullopt; // includes "-", the deletion mark of import files
    }
    if (!parseHexBytes(data.mid(colon + 1), v.data))
        return std::nullopt;
    return v;
}

} // namespace

Hive::Hive() : text_(Header + '\n') {
    reindex();
}

std::optional<Hive> Hive::parse(const QByteArray& text) {
    Hive hive;
    if (text.trimmed().isEmpty())
        return hive; // a blank file holds nothing that could be lost
    hive.text_ = text;
    if (!hive.reindex())
        return std::nullopt;
    return hive;
}

namespace {

// The hive text line by line: each line trimmed, without its break, and where the next one starts.
class LineReader {
public:
    struct Line {
        QByteArray content;
        qsizetype end; // one past the line break (or the end of the text)
    };
    explicit LineReader(const QByteArray& text)
        : text_(text), pos_(text.startsWith("\xEF\xBB\xBF") ? 3 : 0) {}
    qsizetype pos() const { return pos_; }
    std::optional<Line> next() {
        if (pos_ >= text_.size())
            return std::nullopt;
        const qsizetype nl = text_.indexOf('\n', pos_);
        const qsizetype stop = nl < 0 ? text_.size() : nl;
        Line line{text_.mid(pos_, stop - pos_).trimmed(), nl < 0 ? text_.size() : nl + 1};
        pos_ = line.end;
        return line;
    }

private:
    const QByteArray& text_;
    qsizetype pos_;
};

// A value line's name ('@' is the default value, named "") and its data after "=", or nullopt.
std::optional<std::pair<QString, QByteArray>> splitValueLine(const QByteArray& line) {
    QString name;
    QByteArray rest;
    if (line.startsWith('@')) {
        rest = line.mid(1);
    } else {
        QByteArray quoted;
        const qsizetype after = unquote(line, quoted);
        if (after < 0)
            return std::nullopt;
        name = QString::fromUtf8(quoted);
        rest = line.mid(after);
    }
    rest = rest.trimmed();
    if (!rest.startsWith('='))
        return std::nullopt;
    return std::pair{name, rest.mid(1).trimmed()};
}

// Hex data may go on over several lines, each but the last ending in a backslash: joins them onto
// data and moves *end past the last one. False when the text ends inside the value.
bool joinContinuedHex(LineReader& lines, QByteArray& data, qsizetype* end) {
    if (!data.startsWith("hex"))
        return true;
    while (data.endsWith('\\')) {
        data.chop(1);
        const std::optional<LineReader::Line> more = lines.next();
        if (!more)
            return false;
        data += more->content;
        *end = more->end;
    }
    return true;
}

} // namespace

bool Hive::reindex() {
    sections_.clear();
    if (!isUtf8(text_))
        return false;
    LineReader lines(text_);
    bool headerSeen = false;
    for (;;) {
        const qsizetype begin = lines.pos();
        const std::optional<LineReader::Line> line = lines.next();
        if (!line)
            break;
        const QByteArray& t = line->content;
        if (t.isEmpty() || (headerSeen && t.startsWith(';')))
            continue;
        if (!headerSeen) {
            if (t != Header)
                return false;
            headerSeen = true;
            continue;
        }
        if (t.startsWith('[')) {
            if (t.size() < 3 || !t.endsWith(']') || t[1] == '-')
                return false;
            sections_.push_back({QString::fromUtf8(t.mid(1, t.size() - 2)), line->end, {}});
            continue;
        }
        if ((!t.startsWith('"') && !t.startsWith('@')) || sections_.empty())
            return false;
        std::optional<std::pair<QString, QByteArray>> split = splitValueLine(t);
        Entry entry{{}, {}, begin, line->end};
        if (!split || !joinContinuedHex(lines, split->second, &entry.end))
            return false;
        std::optional<Value> value = parseData(split->second);
        if (!value)
            return false;
        entry.name = std::move(split->first);
        entry.value = std::move(*value);
        sections_.back().bodyEnd = entry.end;
        sections_.back().entries.push_back(std::move(entry));
    }
    return headerSeen;
}

QByteArray Hive::newline() const {
    const qsizetype nl = text_.indexOf('\n');
    return nl > 0 && text_[nl - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

void Hive::splice(qsizetype begin, qsizetype end, const QByteArray& replacement) {
    text_.replace(begin, end - begin, replacement);
    const bool ok = reindex();
    Q_ASSERT(ok); // what we write always parses
    (void)ok;
}

bool Hive::hasKey(const QString& key) const {
    const QString prefix = key + QLatin1Char('\\');
    for (const Section& s : sections_)
        if (sameName(s.key, key) || s.key.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    return false;
}

void Hive::addKey(const QString& key) {
    if (hasKey(key))
        return;
    const QByteArray nl = newline();
    QByteArray add;
    if (!text_.endsWith('\n'))
        add += nl;
    add += nl + '[' + key.toUtf8() + ']' + nl;
    splice(text_.size(), text_.size(), add);
}

const Hive::Entry* Hive::find(const QString& key, const QString& name, const Section** section) const {
    const Entry* found = nullptr; // a name given twice: the later one counts, as on import
    for (const Section& s : sections_) {
        if (!sameName(s.key, key))
            continue;
        for (const Entry& e : s.entries) {
            if (sameName(e.name, name)) {
                found = &e;
                if (section)
                    *section = &s;
            }
        }
    }
    return found;
}

std::optional<Value> Hive::value(const QString& key, const QString& name) const {
    if (const Entry* e = find(key, name))
        return e->value;
    return std::nullopt;
}

void Hive::setValue(const QString& key, const QString& name, const Value& value) {
    const QByteArray nl = newline();
    const QByteArray line = formatValue(name, value, nl) + nl;
    if (const Entry* e = find(key, name)) {
        splice(e->begin, e->end, line);
        return;
    }
    const Section* last = nullptr;
    for (const Section& s : sections_)
        if (sameName(s.key, key))
            last = &s;
    if (!last) {
        QByteArray add;
        if (!text_.endsWith('\n'))
            add += nl;
        add += nl + '[' + key.toUtf8() + ']' + nl + line;
        splice(text_.size(), text_.size(), add);
        return;
    }
    const qsizetype at = last->bodyEnd;
    const bool needBreak = at > 0 && text_[at - 1] != '\n';
    splice(at, at, needBreak ? nl + line : line);
}

QByteArray Hive::formatValue(const QString& name, const Value& value, const QByteArray& newline) {
    QByteArray out = name.isEmpty() ? QByteArrayLiteral("@") : '"' + escape(name.toUtf8()) + '"';
    out += '=';
    const QByteArray& d = value.data;

    if (value.type == REG_SZ && d.endsWith('\0')) {
        const QByteArray text = d.chopped(1);
        const bool plain = std::none_of(text.begin(), text.end(),
                                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        if (plain && isUtf8(text))
            return out + '"' + escape(text) + '"';
    }
    if (value.type == REG_DWORD && d.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(d[i]);
        return out + "dword:" + QByteArray::number(n, 16).rightJustified(8, '0');
    }
    out += value.type == REG_BINARY ? QByteArrayLiteral("hex:")
                                    : "hex(" + QByteArray::number(value.type, 16) + "):";
    qsizetype lineLength = out.size();
    for (qsizetype i = 0; i < d.size(); ++i) {
        if (i > 0 && lineLength + 3 > HexLineLimit) {
            out += '\\' + newline + "  ";
            lineLength = 2;
        }
        QByteArray piece = QByteArray::number(static_cast<unsigned char>(d[i]), 16).rightJustified(2, '0');
        if (i + 1 < d.size())
            piece += ',';
        out += piece;
        lineLength += piece.size();
    }
    return out;
}

} // namespace Platform::Registry
