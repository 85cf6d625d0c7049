// SPDX-License-Identifier: GPL-3.0-or-later
// One registry hive held as a REGEDIT4 text file:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main]
//   "Start Page"="http://..."
//   "Count"=dword:0000002a
//   "Blob"=hex:01,02,ff
//   "Path"=hex(2):25,54,45,4d,50,25,00
//
// The file is UTF-8. String data crosses the registry API as UTF-8 bytes with their terminating
// zero; texts of other code pages are converted by the caller before they get here. A value that
// cannot be written as a quoted string (no terminating zero, an inner zero, control characters or
// bytes that are not UTF-8) is written as hex(1):, so every value reads back byte for byte.
//
// Changes splice the original text: keys, values, comments and blank lines that a change does not
// touch are kept byte for byte. Names of keys and values compare case-insensitively.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace Platform::Registry {

struct Value {
    std::uint32_t type = 0;
    QByteArray data;
    friend bool operator==(const Value&, const Value&) = default;
};

class Hive {
public:
    // A hive with the header line only.
    Hive();

    // nullopt when the text is not a well-formed REGEDIT4 hive (bad header, a malformed line,
    // a value outside any key, deletion entries, text that is not UTF-8).
    static std::optional<Hive> parse(const QByteArray& text);

    const QByteArray& text() const { return text_; }

    // A key exists when it has a section of its own or a sub-key has one.
    bool hasKey(const QString& key) const;
    void addKey(const QString& key); // no change when it exists

    std::optional<Value> value(const QString& key, const QString& name) const;
    void setValue(const QString& key, const QString& name, const Value& value); // adds the key if needed

    // The REGEDIT4 line(s) for one value, without the final line break.
    static QByteArray formatValue(const QString& name, const Value& value, const QByteArray& newline);

private:
    struct Entry {
        QString name;
        Value value;
        qsizetype begin = 0; // first byte of the entry's first line
        qsizetype end = 0;   // one past the entry's last line break (or the end of the text)
    };
    struct Section {
        QString key;
        qsizetype bodyEnd = 0; // where a new value of this section goes
        std::vector<Entry> entries;
    };

    bool reindex(); // rebuilds sections_ from text_; false when text_ is malformed
    const Entry* find(const QString& key, const QString& name, const Section** section = nullptr) const;
    QByteArray newline() const;
    void splice(qsizetype begin, qsizetype end, const QByteArray& replacement);

    QByteArray text_;
    std::vector<Section> sections_;
};

} // namespace Platform::Registry
