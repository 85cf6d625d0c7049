#pragma once

#include "platform/Platform.h"

namespace Platform {

// HTTP GET over libcurl with the promotion downloads' settings (see CurlHttpClient.cpp).
class CurlHttpClient final : public HttpClient {
public:
    QByteArray get(const QString& url) override;
};

} // namespace Platform
