// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HttpClient.h"

namespace Platform {

// HTTP GET over libcurl, set up for the promotion downloads: HTTP/1.1, fixed request headers, no
// redirects, no proxy (not even one from the environment), 2xx only, a bounded time and body size.
class CurlHttpClient final : public HttpClient {
public:
    static constexpr long ConnectTimeoutMs = 3000; // name lookup and TCP connect
    static constexpr long TotalTimeoutMs = 5000; // the whole request, so a silent server cannot hold start-up
    static constexpr long long MaxBodyBytes = 1024 * 1024; // the documents are a few hundred bytes

    using HttpClient::get;
    QByteArray get(const QString& url, Deadline deadline) override;
};

} // namespace Platform
