// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QCoreApplication;

// Installs the program's translation and Qt's own (qtbase) for the first of
// the languages the user prefers that is English or has a translation; the
// texts in the code are English, so English needs none. The desktop's
// languages by default: LANGUAGE, then LC_ALL, LC_MESSAGES and LANG.
// Returns the language chosen ("de"), or "en".
QString InstallTranslations(QCoreApplication& app, const QStringList& languages);
QString InstallTranslations(QCoreApplication& app);

// Where the program's translations lie: beside the build's bin/ folder, then
// under the data folder of the installation.
QStringList TranslationFolders();
