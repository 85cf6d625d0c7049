// SPDX-License-Identifier: GPL-3.0-or-later
// What a pane may show. A page that failed to load (no connection, an HTTP status of 400 or more),
// that is not an HTML page or a picture, or whose document is larger than the limit, is never
// shown: the pane keeps what it showed before.
#pragma once

#include <QString>
#include <QVariant>
#include <QWebEngineScript>

namespace Platform {

// The largest document a pane shows, in bytes of the document or characters parsed from it.
inline constexpr qint64 kMaxPaneDocument = 2 * 1024 * 1024;

// Run in each page's main frame as its document is made: counts what the parser adds and stops
// the load once the document passes kMaxPaneDocument, so that an oversized page never grows in
// full. It runs in a world of its own, out of the page's reach.
QWebEngineScript DocumentSizeWatch();

// A script for the same world, run once the load has finished: the facts ShowablePage() weighs.
QString PageFactsScript();

// True when the facts say the page may be shown.
bool ShowablePage(const QVariant& facts);

} // namespace Platform
