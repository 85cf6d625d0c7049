// SPDX-License-Identifier: GPL-3.0-or-later
#include "Text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Platform {

QByteArray Trim(const QByteArray& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return text.mid(first, last - first);
}

QString DecodeGbk(const QByteArray& gb) {
    // The decoder holds back an unfinished lead byte at the very end and drops it. A blank is never
    // a trail byte, so appending one turns that lead byte into U+FFFD; the blank is then cut off.
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(gb);
    QString text = decoder.decode(gb + ' ');
    text.chop(1);
    return text;
}

QByteArray EncodeGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace Platform
