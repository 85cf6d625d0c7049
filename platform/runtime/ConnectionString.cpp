// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConnectionString.h"

#include <QRegularExpression>

namespace Platform::ConnectionString {

QString DataSource(const QString& connectionString) {
    static const QRegularExpression key(QStringLiteral("(?:^|;)\\s*Data\\s+Source\\s*="),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = key.match(connectionString);
    if (!m.hasMatch())
        return {};
    const QString rest = connectionString.mid(m.capturedEnd());
    if (rest.startsWith(QLatin1Char('"')) || rest.startsWith(QLatin1Char('\''))) {
        // A quoted value runs to the closing quote; a doubled quote inside it stands for one.
        const QChar quote = rest.front();
        QString value;
        for (qsizetype i = 1; i < rest.size(); ++i) {
            if (rest[i] != quote) {
                value += rest[i];
            } else if (i + 1 < rest.size() && rest[i + 1] == quote) {
                value += quote;
                ++i;
            } else {
                break;
            }
        }
        return value;
    }
    // Keywords are letters and blanks; a path segment after a ";" holds "/" or "." before any "=".
    static const QRegularExpression nextPart(QStringLiteral(";\\s*[A-Za-z][A-Za-z ]*="));
    const auto end = nextPart.match(rest);
    return (end.hasMatch() ? rest.left(end.capturedStart()) : rest).trimmed();
}

QString QuotedValue(const QString& value) {
    // An unquoted value is read up to the next ";" and trimmed as QString::trimmed() does.
    const bool plain = !value.isEmpty() && !value.front().isSpace() && !value.back().isSpace() &&
                       !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"')) &&
                       !value.contains(QLatin1Char('\''));
    if (plain)
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace Platform::ConnectionString
