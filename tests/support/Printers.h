// SPDX-License-Identifier: GPL-3.0-or-later
// Readable failure messages: gtest prints Qt strings as text, not as bytes or "{}".
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
