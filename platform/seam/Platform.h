// SPDX-License-Identifier: GPL-3.0-or-later
// The operating-system facilities the program uses, one small interface each (one header each, in
// this folder). The program's main() installs the Linux implementations (UseLinuxFacilities(),
// the one place that names them); tests replace any of them with ScopedService.
#pragma once

#include <QString>

#include <chrono>
#include <memory>
#include <tuple>
#include <utility>

class QWidget;

namespace Platform {

class Beeper;
class Clock;
class Database;
class ErrorBox;
class FlashPlayerFactory;
class HttpClient;
class Launcher;
class ProgramFolder;
class UserRegistry;
class WebPaneFactory;
class WindowPlacement;

class Services {
public:
    Launcher& launcher() const { return get<Launcher>(); }         // browser and mail
    Beeper& beeper() const { return get<Beeper>(); }               // beep
    ErrorBox& errorBox() const { return get<ErrorBox>(); }         // the standard error box
    HttpClient& http() const { return get<HttpClient>(); }         // HTTP GET
    UserRegistry& registry() const { return get<UserRegistry>(); } // the start-page hive
    Database& database() const { return get<Database>(); }         // the readings store's queries
    ProgramFolder& programFolder() const { return get<ProgramFolder>(); }
    WebPaneFactory& webPanes() const { return get<WebPaneFactory>(); }
    FlashPlayerFactory& flashPlayers() const { return get<FlashPlayerFactory>(); }
    Clock& clock() const { return get<Clock>(); } // today's date
    WindowPlacement& placement() const { return get<WindowPlacement>(); }

    // The facility; a facility asked for before any was installed ends the program with its name.
    template <class I> I& get() const {
        if (const auto& facility = std::get<std::shared_ptr<I>>(facilities_))
            return *facility;
        missing(__PRETTY_FUNCTION__);
    }
    // Replaces a facility; returns the previous one (used by ScopedService).
    template <class I> std::shared_ptr<I> set(std::shared_ptr<I> replacement) {
        return std::exchange(std::get<std::shared_ptr<I>>(facilities_), std::move(replacement));
    }

private:
    friend Services& services();
    Services() = default;
    [[noreturn]] static void missing(const char* facility);
    std::tuple<std::shared_ptr<Launcher>, std::shared_ptr<Beeper>, std::shared_ptr<ErrorBox>,
               std::shared_ptr<HttpClient>, std::shared_ptr<UserRegistry>, std::shared_ptr<Database>,
               std::shared_ptr<ProgramFolder>, std::shared_ptr<WebPaneFactory>,
               std::shared_ptr<FlashPlayerFactory>, std::shared_ptr<Clock>, std::shared_ptr<WindowPlacement>>
        facilities_;
};

// The program's one set of facilities: empty until main() installs the Linux implementations.
Services& services();

// Installs a replacement for the lifetime of the object: ScopedService<Launcher> s(fake);
template <class I> class ScopedService {
public:
    explicit ScopedService(std::shared_ptr<I> replacement)
        : previous_(services().set<I>(std::move(replacement))) {}
    ~ScopedService() { services().set<I>(std::move(previous_)); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    std::shared_ptr<I> previous_;
};

// Shortcuts used by the windows.
void OpenInBrowser(const QString& address);
void Beep();
QString ProgramPath(); // the program folder with its trailing "/"
void CentreOnScreen(QWidget* window);

} // namespace Platform
