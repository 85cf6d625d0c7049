// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Platform {

// Loads Qt's own Simplified Chinese texts (standard buttons, edit menus, the web views' menus),
// whatever the user's locale, from folder (Qt's translations folder when empty). A missing file
// leaves those texts in English. Returns how many catalogues were installed.
int InstallQtTranslations(const QString& folder = QString());

} // namespace Platform
