// SPDX-License-Identifier: GPL-3.0-or-later
// Failures are exceptions. Any exception that escapes an event handler is shown in the standard
// error box and the program goes on; the silent abort (EAbort) is swallowed without a word.
#pragma once

#include <QString>

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

// The silent abort: cancels a close request, the exit, or a failed database query, quietly.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

// A failure with a message for the user (UTF-8).
class EVelmoraError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit EVelmoraError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

namespace Platform {

[[noreturn]] void Abort();

// The text of the standard error box: the message, with "." appended when its last character
// sorts after "." ("disk full." and "失败?." get one; "done." and "wait!" stay as they are).
QString ErrorBoxText(const QString& message);

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
