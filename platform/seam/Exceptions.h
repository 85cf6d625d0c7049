// SPDX-License-Identifier: GPL-3.0-or-later
// The two kinds of failure every facility reports. What becomes of them when they escape an event
// handler is the application's business (Errors.h).
#pragma once

#include <QString>

#include <exception>
#include <stdexcept>
#include <string>

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
