// SPDX-License-Identifier: GPL-3.0-or-later
// Failures are exceptions. Any exception that escapes an event handler is shown in the standard
// error box and the program goes on; the silent abort (EAbort) is swallowed without a word.
#pragma once

#include "Exceptions.h"

#include <QString>

#include <exception>
#include <utility>

namespace Platform {

[[noreturn]] void Abort();

// The text of the standard error box: the message, with "." appended when its last character
// sorts after "." ("disk full." and "失败?." get one; "done." and "wait!" stay as they are).
QString ErrorBoxText(const QString& message);

// Inside a catch block: the caught exception's message (UTF-8), for a log line.
const char* CaughtMessage() noexcept;

// Shows an escaped exception the standard way: nothing for EAbort, else the error box.
void ShowException(const std::exception& e) noexcept;
void ShowUnknownException() noexcept;

// Runs f; an exception that escapes it is shown (or swallowed, for EAbort) and the program goes on.
// Every event handler of the program runs through here, directly or through Guarded().
template <class F> void Guard(F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowUnknownException();
    }
}

// Wraps a slot: connect(button, &QPushButton::clicked, this, Platform::Guarded([this] { ... }));
template <class F> auto Guarded(F f) {
    return [f = std::move(f)](auto&&...) mutable { Guard(f); };
}

} // namespace Platform
