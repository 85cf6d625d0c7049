// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadingsSource.h"

#include <iconv.h>

#include <cerrno>
#include <set>
#include <sstream>

namespace ReadingsSource {

std::string ToGb2312(const std::string& utf8) {
    iconv_t cd = iconv_open("GB2312", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Error("iconv has no GB2312 converter");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    const int err = errno;
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) {
        const std::string at = utf8.substr(utf8.size() - inLeft, 4);
        throw Error(err == EILSEQ ? "not GB2312-encodable near \"" + at + "\"" : "broken UTF-8 text");
    }
    out.resize(out.size() - outLeft);
    return out;
}

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

bool completeCode(const std::string& code) {
    return code.size() == 5 && code.find_first_not_of("ox") == std::string::npos;
}

// Half-width cells of a GB2312 line: one per ASCII byte, two per character of two bytes.
int cells(const std::string& gb) {
    return static_cast<int>(gb.size());
}

} // namespace

std::vector<Row> Parse(const std::string& utf8Source) {
    std::vector<Row> rows;
    std::set<std::string> seen;
    std::istringstream in(utf8Source);
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const auto where = "line " + std::to_string(lineNo) + ": ";
        auto fields = splitTabs(line);
        const std::string code = fields.front();
        if (!completeCode(code))
            throw Error(where + "the code \"" + code + "\" is not five letters o/x");
        if (!seen.insert(code).second)
            throw Error(where + "the code " + code + " appears twice");
        fields.erase(fields.begin());
        if (fields.empty() || fields.size() > MaxLines)
            throw Error(where + "a reading needs one to " + std::to_string(MaxLines) + " lines");
        Row row{code, {}};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].empty())
                throw Error(where + "empty text line " + std::to_string(i + 1));
            for (unsigned char c : fields[i])
                if (c < 32 || c == 127)
                    throw Error(where + "a control character in the text");
            std::string gb;
            try {
                gb = ToGb2312(fields[i]);
            } catch (const Error& e) {
                throw Error(where + e.what());
            }
            const int width = cells(gb) + (i == 0 ? PrefixCells : 0);
            if (width > MaxLineCells)
                throw Error(where + "text line " + std::to_string(i + 1) + " is " + std::to_string(width) +
                            " cells wide; the result label shows " + std::to_string(MaxLineCells));
            if (i > 0)
                row.reading += '\r';
            row.reading += gb;
        }
        rows.push_back(std::move(row));
    }
    if (seen.size() != 32)
        throw Error("the source has " + std::to_string(seen.size()) + " of the 32 codes");
    return rows;
}

std::string Scramble(std::string bytes, std::uint16_t key, std::int32_t rounds) {
    const std::size_t n = bytes.size();
    if (n < 2)
        return bytes;
    const auto high = static_cast<std::uint8_t>(key >> 8);
    const auto low = static_cast<std::uint8_t>(key & 0xFF);
    auto* b = reinterpret_cast<std::uint8_t*>(bytes.data());
    for (std::int32_t round = 0; round < rounds; ++round) {
        // Undo the backward pass: b[i] = ((f[i] + b[i+1]) mod 256) ^ L, and b[i+1] is final.
        for (std::size_t i = 0; i + 1 < n; ++i)
            b[i] = static_cast<std::uint8_t>((b[i] ^ low) - b[i + 1]);
        // Undo the forward pass from the right, while the left neighbour still holds its mixed value.
        for (std::size_t i = n - 1; i >= 1; --i)
            b[i] = static_cast<std::uint8_t>((b[i] ^ high) - b[i - 1]);
    }
    return bytes;
}

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

} // namespace ReadingsSource
