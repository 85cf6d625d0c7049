// SPDX-License-Identifier: GPL-3.0-or-later
// The Flash movie control of the movie windows. A window sets one property, Movie, to the absolute
// path of a .swf file; the control loads and plays it. Inside sits a browser view running the Ruffle
// player from the ruffle/ folder beside the program.
#pragma once

#include "MovieControl.h"

#include <QString>

class QLabel;
class QStackedLayout;
class QWebEngineView;

namespace Platform {

class ShockwaveFlashBridge;

class ShockwaveFlash final : public MovieControl {
    Q_OBJECT
public:
    // Throws EVelmoraError (with a message for the user) when the player cannot run here: its files
    // are missing from the player folder, or the web engine's helper program is missing.
    explicit ShockwaveFlash(QWidget* parent = nullptr);
    ~ShockwaveFlash() override;

    QString Movie() const override { return movie_; }
    // Loads and plays the file. A file that does not exist shows a message in its place.
    void SetMovie(const QString& path) override;

    // The folder holding ruffle.js and the player page: "ruffle/" in the program folder.
    static QString PlayerFolder();

    // The message shown in place of the movie, empty while there is none.
    QString Message() const;
    QWebEngineView* View() const { return view_; } // null while the control is closed

signals:
    // The movie's header has been read: frames per second and stage size in pixels.
    void loaded(double frameRate, int width, int height);
    // The player has drawn the movie's first frame.
    void firstFrameDrawn();
    // The movie cannot be shown; the reason is shown in the control too.
    void failed(const QString& message);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    friend class ShockwaveFlashBridge;
    void showMessage(const QString& text);
    void makeView();

    QString movie_;
    QStackedLayout* stack_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QLabel* message_ = nullptr;
    ShockwaveFlashBridge* bridge_ = nullptr;
};

} // namespace Platform
