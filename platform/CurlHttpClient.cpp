// Placeholder until the libcurl client lands.
#include "platform/CurlHttpClient.h"

#include "platform/Errors.h"

namespace Platform {

QByteArray CurlHttpClient::get(const QString& url) {
    throw EVelmoraError(QStringLiteral("HTTP not available: ") + url);
}

} // namespace Platform
