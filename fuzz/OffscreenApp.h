// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For the targets that need widgets: one QApplication on the offscreen
// platform for the whole run. Include from the target's one source file.

#include <QApplication>

// fontconfig keeps its caches for the life of the process; those are not
// leaks of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

namespace fuzz {

inline void StartOffscreenApp(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
}

} // namespace fuzz
