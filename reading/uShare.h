// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program lies and how a fingerprint reading is fetched from the readings store beside
// it and turned back into text. Texts here are 8-bit GB2312 byte strings, as they are stored.
#pragma once

#include "Text.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace uShare {

// The readings are descrambled with this key (only its high and low byte matter) and round count.
inline constexpr std::uint16_t ReadingKey = 7419;
inline constexpr std::int32_t ReadingRounds = 7;
// A stored reading (its hex text) longer than this is a failed query.
inline constexpr std::int64_t MaxStoredReadingBytes = 64 * 1024;

// The folder of the running executable, with the trailing "/" ("" if it cannot be found).
// Texts read from the store are GB2312, decoded with Platform::DecodeGbk.
QString GetAppPath();

// "Provider=...;Data Source=<program folder>/QuorFile.dll;Persist Security Info=True", the data
// source in double quotes when the folder holds ";", quotes or blanks at its ends.
QString GetConnectionString();

// The reading stored for a fingerprint code, empty when the store has no row for it. Raises the
// silent abort (EAbort) when the store cannot be read. Every call opens its own connection.
QByteArray QueryReading(const QByteArray& code);

// The bytes spelled by the hex pairs of text (high digit first). An odd last character is
// ignored; an invalid pair beeps once and is dropped.
QByteArray HexToText(const QByteArray& text);

// Hex-decodes text, then runs `rounds` rounds of a forward and a backward mixing pass.
QByteArray Unscramble(const QByteArray& text, std::uint16_t key, std::int32_t rounds);

// Removes every leading and trailing byte with a code of 32 or less.
using Platform::Trim;

} // namespace uShare
