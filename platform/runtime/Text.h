// SPDX-License-Identifier: GPL-3.0-or-later
// The program's 8-bit texts: GB2312 byte strings as they are stored and downloaded.
#pragma once

#include <QByteArray>
#include <QString>

namespace Platform {

// Removes every leading and trailing byte whose code is 32 or less (blanks, line breaks and other
// control bytes).
QByteArray Trim(const QByteArray& text);

// GB2312 (read as GBK, its superset) to display text. A broken byte sequence, a lone lead byte at
// the end included, shows U+FFFD.
QString DecodeGbk(const QByteArray& gb);
// Display text to GBK bytes; characters GBK lacks become "?".
QByteArray EncodeGbk(const QString& text);

} // namespace Platform
