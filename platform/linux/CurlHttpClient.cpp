// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurlHttpClient.h"

#include "Errors.h"
#include "Logging.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>

namespace Platform {

namespace {

struct Body {
    QByteArray bytes;
    bool tooLong = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<Body*>(user);
    const size_t n = size * count;
    if (body->bytes.size() + static_cast<long long>(n) > CurlHttpClient::MaxBodyBytes) {
        body->tooLong = true;
        return 0; // makes curl end the transfer with CURLE_WRITE_ERROR
    }
    body->bytes.append(data, static_cast<qsizetype>(n));
    return n;
}

struct EasyDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

[[noreturn]] void fail(const QString& url, const QString& why) {
    qCDebug(lcHttp, "GET %s failed: %s", qPrintable(url), qPrintable(why));
    throw EVelmoraError(QStringLiteral("HTTP GET %1 failed: %2").arg(url, why));
}

// The time this request may take: the client's own limit, or less when the caller's deadline
// comes first. A deadline already past fails without a request.
long timeLimitMs(const QString& url, HttpClient::Deadline deadline) {
    long totalMs = CurlHttpClient::TotalTimeoutMs;
    if (deadline != HttpClient::Deadline::max()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                .count();
        if (left <= 0)
            fail(url, QStringLiteral("no time left"));
        totalMs = static_cast<long>(std::min<long long>(left, totalMs));
    }
    return totalMs;
}

// The fixed request headers.
std::unique_ptr<curl_slist, SlistDeleter> requestHeaders(const QString& url) {
    std::unique_ptr<curl_slist, SlistDeleter> headers;
    for (const char* h : {"Accept: text/html, */*", "User-Agent: Mozilla/3.0 (compatible; Indy Library)",
                          "Content-Type: text/html"}) {
        curl_slist* grown = curl_slist_append(headers.get(), h);
        if (!grown)
            fail(url, QStringLiteral("out of memory"));
        (void)headers.release();
        headers.reset(grown);
    }
    return headers;
}

// HTTP/1.1 GET straight to the server (no proxy, no redirect), bounded in time and size.
void setUp(CURL* c, const QByteArray& url, curl_slist* headers, long totalMs, Body* body, char* errorText) {
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    // An empty proxy overrides http_proxy/ALL_PROXY from the environment; NOPROXY "*" covers
    // the rest, so the request always goes straight to the server.
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, std::min(CurlHttpClient::ConnectTimeoutMs, totalMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, totalMs);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(CurlHttpClient::MaxBodyBytes));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L); // no SIGALRM in a threaded GUI program
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, body);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
}

} // namespace

QByteArray CurlHttpClient::get(const QString& url, Deadline deadline) {
    const long totalMs = timeLimitMs(url, deadline);

    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl)
        fail(url, QStringLiteral("cannot initialise libcurl"));
    const std::unique_ptr<curl_slist, SlistDeleter> headers = requestHeaders(url);
    Body body;
    char errorText[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = url.toUtf8();
    setUp(curl.get(), urlBytes, headers.get(), totalMs, &body, errorText);

    const CURLcode rc = curl_easy_perform(curl.get());
    if (body.tooLong || rc == CURLE_FILESIZE_EXCEEDED)
        fail(url, QStringLiteral("the answer is longer than %1 bytes").arg(MaxBodyBytes));
    if (rc != CURLE_OK)
        fail(url, QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(rc)));

    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299)
        fail(url, QStringLiteral("HTTP status %1").arg(status));
    return body.bytes;
}

} // namespace Platform
