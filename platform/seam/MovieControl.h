// SPDX-License-Identifier: GPL-3.0-or-later
// The Flash movie control of the movie windows: a widget with one writable property, Movie, the
// absolute path of a .swf file, which it loads and plays.
#pragma once

#include <QString>
#include <QWidget>

namespace Platform {

class MovieControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Movie READ Movie WRITE SetMovie)
public:
    using QWidget::QWidget;
    virtual QString Movie() const = 0;
    virtual void SetMovie(const QString& path) = 0;
};

// Makes the movie control of each movie window.
class FlashPlayerFactory {
public:
    virtual ~FlashPlayerFactory() = default;
    // Throws EVelmoraError (with a message for the user) when the player cannot run here.
    virtual MovieControl* createPlayer(QWidget* parent) = 0;
};

} // namespace Platform
