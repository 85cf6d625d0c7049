// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Platform {

// The folder the running program lies in, where its readings file, movies and player are found.
class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    // The absolute folder with its trailing "/", or "" when it cannot be found.
    virtual QString path() = 0;
};

} // namespace Platform
