// SPDX-License-Identifier: GPL-3.0-or-later
// Everything a page shown in a web pane may and may not do. The pages come from a schedule read
// over plain HTTP, so anyone on the way can choose them: each rule here keeps such a page inside
// its pane, away from the desktop, the user's files and our own resources, and within a budget.
// The movie player's page keeps rules of its own (ShockwaveFlash.cpp).
#pragma once

#include <QUrl>
#include <QWebEnginePage>

class QWebEngineProfile;

namespace Platform::Web {

class PaneBudget;

// The profile every pane page lives in: off the record (nothing reaches the disk, nothing is
// left for the next run), with the request filter below. Made on first use, for the whole run.
QWebEngineProfile* PanesProfile();

// The schemes a pane page may navigate to (main frame) and load from.
bool IsPaneNavigation(const QUrl& url, bool mainFrame);
bool IsPaneResource(const QUrl& url);

class PanePage final : public QWebEnginePage {
    Q_OBJECT
public:
    explicit PanePage(QWebEngineProfile* profile, QObject* parent = nullptr);

    // Loads an address of the pane's schedule. It is the address givenUp() names, wherever the
    // page went from there.
    void open(const QUrl& address);
    QUrl requested() const { return marks_[1].address; }
    // The address whose document the page shows now: the last one opened once its document has
    // come, the one before until then.
    QUrl running() const;
    PaneBudget* budget() const { return budget_; }

signals:
    // The page was stopped for its budget: the pane keeps what it showed before and never loads
    // this address (the one it asked for) again.
    void givenUp(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                          QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    void giveUp(const QString& why);

    // The last two addresses opened, and whether their document has come (it replaces the page
    // only then): the page that goes over is the one whose document was there. Until the next
    // address's document comes, the page before it still runs.
    struct Mark {
        QUrl address;
        bool arrived = false;
    };
    Mark marks_[2];
    PaneBudget* budget_;
    bool overBudget_ = false;
};

// What the pane makes its page with.
PanePage* MakePanePage(QWebEngineProfile* profile, QObject* parent);

} // namespace Platform::Web
