// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"

#include "Errors.h"

#include <cstring>

using namespace Platform::Registry;

QByteArray FakeHttpClient::get(const QString& url, Deadline) {
    requested << url;
    const auto it = bodies.constFind(url);
    if (it == bodies.constEnd())
        throw EVelmoraError(QStringLiteral("Connection refused: %1").arg(url));
    return *it;
}

LONG FakeRegistry::createKey(HKEY root, const QString& subKey, HKEY* result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (failWith)
        return failWith;
    if (!root)
        return ERROR_INVALID_HANDLE;
    const QString path = root->path + QLatin1Char('\\') + subKey;
    keys[path];
    *result = new KeyObject{path, false};
    return ERROR_SUCCESS;
}

LONG FakeRegistry::queryValue(HKEY key, const QString& valueName, DWORD* type, BYTE* data, DWORD* size) {
    if (failWith)
        return failWith;
    if (!key)
        return ERROR_INVALID_HANDLE;
    const auto k = keys.find(key->path);
    if (k == keys.end() || !k->second.count(valueName))
        return ERROR_FILE_NOT_FOUND;
    const auto& [valueType, bytes] = k->second.at(valueName);
    if (type)
        *type = valueType;
    if (!size)
        return ERROR_SUCCESS;
    const auto needed = static_cast<DWORD>(bytes.size());
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data && needed > 0)
        std::memcpy(data, bytes.constData(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG FakeRegistry::setValue(HKEY key, const QString& valueName, DWORD type, const BYTE* data, DWORD size) {
    if (failWith)
        return failWith;
    if (!key)
        return ERROR_INVALID_HANDLE;
    keys[key->path][valueName] = {type, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))};
    return ERROR_SUCCESS;
}

LONG FakeRegistry::closeKey(HKEY key) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!key->predefined)
        delete key;
    return ERROR_SUCCESS;
}

namespace {

class FakeQuery final : public Platform::Query {
public:
    explicit FakeQuery(FakeDatabase& db) : db_(db) {}
    void Open() override {
        db_.connections << ConnectionString;
        const auto it = db_.answers.find(SQL);
        if (it == db_.answers.end())
            throw Platform::EDatabaseError(QStringLiteral("no such table"));
        row_ = it->second;
    }
    bool IsEmpty() const override { return !row_; }
    qint64 FirstFieldBytes() const override { return row_ ? row_->size() : 0; }
    QByteArray FirstFieldAsText() const override {
        if (!row_)
            throw Platform::EDatabaseError(QStringLiteral("no row"));
        return *row_;
    }
    void Close() override { row_.reset(); }

private:
    FakeDatabase& db_;
    std::optional<QByteArray> row_;
};

} // namespace

std::unique_ptr<Platform::Query> FakeDatabase::createQuery() {
    return std::make_unique<FakeQuery>(*this);
}

std::unique_ptr<Platform::WebPane> FakeWebPanes::createPane(QWidget*) {
    auto pane = std::make_unique<FakeWebPane>();
    made.push_back(pane.get());
    return pane;
}

Platform::MovieControl* FakeFlashPlayers::createPlayer(QWidget* parent) {
    if (!failure.isEmpty())
        throw EVelmoraError(failure);
    return new FakeMovieControl(parent);
}

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *os << ']';
}
