// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace Platform {

// A blocking HTTP GET; returns the body byte for byte, throws EVelmoraError on any failure. Besides
// the client's own limit on one request, a request fails once the deadline passes, so that several
// requests can share one budget (Deadline::max(): no deadline of the caller's).
class HttpClient {
public:
    using Deadline = std::chrono::steady_clock::time_point;
    virtual ~HttpClient() = default;
    virtual QByteArray get(const QString& url, Deadline deadline) = 0;
    QByteArray get(const QString& url) { return get(url, Deadline::max()); }
};

} // namespace Platform
