// SPDX-License-Identifier: GPL-3.0-or-later
// The readings source (readings.tsv, UTF-8) and its conversion into rows of the readings store.
// Standard C++ plus iconv; used by the generator and by its tests.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace ReadingsSource {

// The result label is 466 × 68 pixels at a 12-pixel font and neither wraps nor scrolls: a line may
// hold 36 full-width characters (72 half-width cells), the first line after the 9 cells of
// "测算结果:", and four lines fit its height.
inline constexpr int MaxLineCells = 72;
inline constexpr int MaxLines = 4;
inline constexpr int PrefixCells = 9;

// Same key and rounds as the program's descrambler.
inline constexpr std::uint16_t Key = 7419;
inline constexpr std::int32_t Rounds = 7;

struct Row {
    std::string code;    // five letters o/x, thumb first
    std::string reading; // GB2312 bytes, lines broken with "\r"
};

// A refused source: the message names the line.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-8 to GB2312 (EUC-CN); throws Error for text GB2312 cannot hold or that is not UTF-8.
std::string ToGb2312(const std::string& utf8);

// Parses the source: "#" comment lines and blank lines are skipped; every other line is a code and
// one to four text lines, separated by tabs. Checks every code and reading and that each of the 32
// complete codes appears exactly once. Rows come out in the source's order.
std::vector<Row> Parse(const std::string& utf8Source);

// The inverse of the program's Unscramble (without its hex decoding): undoes the rounds in reverse.
std::string Scramble(std::string bytes, std::uint16_t key, std::int32_t rounds);

// Two upper-case hex digits per byte, high half first.
std::string ToHex(const std::string& bytes);

} // namespace ReadingsSource
