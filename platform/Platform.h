// The operating-system facilities the program uses, one small interface each. The Linux
// implementations are chosen in Platform.cpp; tests replace any of them with ScopedService.
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>
#include <utility>

namespace Platform {

// Starts the user's browser (or mail program) on one address. Fire and forget: nothing waits for
// it and nothing reads its result; a missing or failing launcher is not reported.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual void openInBrowser(const QString& address) = 0;
    virtual void openMail(const QString& address) = 0; // address without "mailto:"
};

// The system's default beep.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// The standard error box: critical icon, caption = application title, one OK button.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void showError(const QString& text) = 0;
};

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

class Services {
public:
    Launcher& launcher() const { return *launcher_; }
    Beeper& beeper() const { return *beeper_; }
    ErrorBox& errorBox() const { return *errorBox_; }
    HttpClient& http() const { return *http_; }

    // Replace a facility; returns the previous one (used by ScopedService).
    std::shared_ptr<Launcher> set(std::shared_ptr<Launcher> l) {
        return std::exchange(launcher_, std::move(l));
    }
    std::shared_ptr<Beeper> set(std::shared_ptr<Beeper> b) { return std::exchange(beeper_, std::move(b)); }
    std::shared_ptr<ErrorBox> set(std::shared_ptr<ErrorBox> e) {
        return std::exchange(errorBox_, std::move(e));
    }
    std::shared_ptr<HttpClient> set(std::shared_ptr<HttpClient> h) {
        return std::exchange(http_, std::move(h));
    }

private:
    friend Services& services();
    Services();
    std::shared_ptr<Launcher> launcher_;
    std::shared_ptr<Beeper> beeper_;
    std::shared_ptr<ErrorBox> errorBox_;
    std::shared_ptr<HttpClient> http_;
};

// The program's one set of facilities (Linux implementations unless a test replaced one).
Services& services();

// Installs a replacement for the lifetime of the object: ScopedService<Launcher> s(fake);
template <class I> class ScopedService {
public:
    explicit ScopedService(std::shared_ptr<I> replacement)
        : previous_(services().set(std::move(replacement))) {}
    ~ScopedService() { services().set(std::move(previous_)); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    std::shared_ptr<I> previous_;
};

// Shortcuts used by the windows.
inline void OpenInBrowser(const QString& address) {
    services().launcher().openInBrowser(address);
}
inline void Beep() {
    services().beeper().beep();
}

} // namespace Platform
