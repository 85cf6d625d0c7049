// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Platform {

// The program's windows name the classic Chinese families ("宋体", "楷体_GB2312", ...). Where they
// are missing, each is mapped to an installed CJK family with the same proportions: Chinese
// characters one em wide and Latin letters and digits half an em, so texts fit their labels as
// they were laid out. Called by Platform::Application; safe to call more than once.
void InstallFontSubstitutes();

} // namespace Platform
