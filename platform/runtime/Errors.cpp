// SPDX-License-Identifier: GPL-3.0-or-later
#include "Errors.h"

#include "ErrorBox.h"
#include "Platform.h"

#include <QCoreApplication>

namespace Platform {

void Abort() {
    throw EAbort();
}

QString ErrorBoxText(const QString& message) {
    // The message's last character (a UTF-16 unit; "." is ASCII, so any CJK text sorts after it).
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

const char* CaughtMessage() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an exception of unknown type";
    }
}

void ShowException(const std::exception& e) noexcept {
    if (dynamic_cast<const EAbort*>(&e))
        return;
    try {
        services().errorBox().showError(ErrorBoxText(QString::fromUtf8(e.what())));
    } catch (...) {
        // Nothing sensible is left to do if even the error box fails.
    }
}

void ShowUnknownException() noexcept {
    try {
        services().errorBox().showError(ErrorBoxText(QStringLiteral("未知错误")));
    } catch (...) {
    }
}

} // namespace Platform
