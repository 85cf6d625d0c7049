// SPDX-License-Identifier: GPL-3.0-or-later
// A fake for every platform facility. Install one for a test's lifetime with
// Platform::ScopedService<Interface>, or all the usual ones at once with FakeServices.
#pragma once

#include "Printers.h"

#include "Beeper.h"
#include "Clock.h"
#include "Database.h"
#include "ErrorBox.h"
#include "HttpClient.h"
#include "Launcher.h"
#include "MovieControl.h"
#include "Platform.h"
#include "ProgramFolder.h"
#include "Registry.h"
#include "WebPane.h"
#include "WindowPlacement.h"

#include <QDate>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct FakeLauncher : Platform::Launcher {
    QStringList pages;
    QStringList mails;
    void openInBrowser(const QString& address) override { pages << address; }
    void openMail(const QString& address) override { mails << address; }
};

struct FakeBeeper : Platform::Beeper {
    int beeps = 0;
    void beep() override { ++beeps; }
};

struct FakeErrorBox : Platform::ErrorBox {
    QStringList shown;
    void showError(const QString& text) override { shown << text; }
};

// Answers each address with its body; any other address fails as a refused connection would.
struct FakeHttpClient : Platform::HttpClient {
    QMap<QString, QByteArray> bodies;
    QStringList requested;
    using HttpClient::get;
    QByteArray get(const QString& url, Deadline deadline) override;
};

// HKEY_CURRENT_USER in memory: key paths to their values.
struct FakeRegistry : Platform::UserRegistry {
    std::map<QString, std::map<QString, std::pair<Platform::Registry::DWORD, QByteArray>>> keys;
    Platform::Registry::LONG failWith = 0; // every call fails with this result when set

    Platform::Registry::LONG createKey(Platform::Registry::HKEY root, const QString& subKey,
                                       Platform::Registry::HKEY* result) override;
    Platform::Registry::LONG queryValue(Platform::Registry::HKEY key, const QString& valueName,
                                        Platform::Registry::DWORD* type, Platform::Registry::BYTE* data,
                                        Platform::Registry::DWORD* size) override;
    Platform::Registry::LONG setValue(Platform::Registry::HKEY key, const QString& valueName,
                                      Platform::Registry::DWORD type, const Platform::Registry::BYTE* data,
                                      Platform::Registry::DWORD size) override;
    Platform::Registry::LONG closeKey(Platform::Registry::HKEY key) override;
};

// Queries that answer from a table of SQL texts to first fields (nullopt: no row); an unknown text
// raises EDatabaseError, as would a store that cannot be read.
struct FakeDatabase : Platform::Database {
    std::map<QString, std::optional<QByteArray>> answers;
    QStringList connections; // the connection string of every query opened
    std::unique_ptr<Platform::Query> createQuery() override;
};

struct FakeProgramFolder : Platform::ProgramFolder {
    explicit FakeProgramFolder(QString folder) : folder(std::move(folder)) {}
    QString folder;
    QString path() override { return folder; }
};

struct FakeClock : Platform::Clock {
    explicit FakeClock(QDate date) : date(date) {}
    QDate date;
    QDate today() override { return date; }
};

// Records the requests; a fixed position is taken exactly, as on a screen large enough.
struct FakePlacement : Platform::WindowPlacement {
    std::vector<QPointer<QWidget>> centred;
    std::vector<std::pair<QPointer<QWidget>, QPoint>> placed;
    void centre(QWidget* window) override { centred.emplace_back(window); }
    void place(QWidget* window, QPoint position) override {
        placed.emplace_back(window, position);
        window->move(position);
    }
};

struct FakeWebPane : Platform::WebPane {
    std::vector<QString> navigations;
    bool shown = true;
    int y = 0;
    void navigate(const QString& address) override { navigations.push_back(address); }
    bool visible() const override { return shown; }
    void setVisible(bool on) override { shown = on; }
    int top() const override { return y; }
    void setTop(int top) override { y = top; }
};

// Makes FakeWebPanes and keeps a pointer to each, in the order they were made.
struct FakeWebPanes : Platform::WebPaneFactory {
    std::vector<FakeWebPane*> made;
    std::unique_ptr<Platform::WebPane> createPane(QWidget* place) override;
};

class FakeMovieControl : public Platform::MovieControl {
    Q_OBJECT
public:
    using MovieControl::MovieControl;
    QString Movie() const override { return movie; }
    void SetMovie(const QString& path) override {
        movie = path;
        ++writes;
    }
    QString movie;
    int writes = 0;
};

// Makes FakeMovieControls, or throws failure when it is set.
struct FakeFlashPlayers : Platform::FlashPlayerFactory {
    QString failure;
    Platform::MovieControl* createPlayer(QWidget* parent) override;
};

// The facilities a window test wants replaced: the browser, the error box and the beep.
struct FakeServices {
    std::shared_ptr<FakeLauncher> launcher = std::make_shared<FakeLauncher>();
    std::shared_ptr<FakeErrorBox> errors = std::make_shared<FakeErrorBox>();
    std::shared_ptr<FakeBeeper> beeper = std::make_shared<FakeBeeper>();
    Platform::ScopedService<Platform::Launcher> launcherScope{launcher};
    Platform::ScopedService<Platform::ErrorBox> errorScope{errors};
    Platform::ScopedService<Platform::Beeper> beeperScope{beeper};
};
