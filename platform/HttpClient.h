// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace Platform {

// A blocking HTTP GET; returns the body byte for byte, throws EVelmoraError on any failure.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual QByteArray get(const QString& url) = 0;
};

} // namespace Platform
