// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux implementation of every facility, installed into the program's services. The
// program's main() calls it before anything else asks for a facility; so does the test main().
#pragma once

namespace Platform {

void UseLinuxFacilities();

} // namespace Platform
