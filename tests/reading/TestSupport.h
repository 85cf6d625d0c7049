// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Fakes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The readings store the program would find beside the test executable.
QString StorePath();
void RemoveStore();
// A store with table zhiwen(zhiwen, content) and these rows (nullopt is NULL), in this order.
struct StoreRow {
    std::optional<std::string> code;
    std::optional<std::string> content;
};
void WriteStore(const std::vector<StoreRow>& rows, const char* schema = nullptr);
void WriteStoreAt(const QString& path, const std::vector<StoreRow>& rows, const char* schema = nullptr);
void WriteStoreBytes(const QByteArray& bytes);
// content as the generator writes it: scrambled, hex text.
std::string StoredForm(const QByteArray& gb);

// The committed readings source, as text and parsed.
std::string ReadingsSourceText();
