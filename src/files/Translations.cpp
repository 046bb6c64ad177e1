// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kProgramTranslations = QStringLiteral("whirlbeam");

// "de_DE" and "de-DE" both name German; the program's files go by the
// language alone.
QString LanguageOf(const QString& name) { return name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower(); }

bool Load(QCoreApplication& app, const QString& file, const QStringList& folders)
{
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(&app);
        if (translator->load(file, folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

} // namespace

QStringList TranslationFolders()
{
    const QDir programs(QCoreApplication::applicationDirPath());
    return {programs.filePath(QStringLiteral("../translations")),
        programs.filePath(QStringLiteral("../share/whirlbeam/translations"))};
}

QString InstallTranslations(QCoreApplication& app, const QStringList& languages)
{
    for (const QString& name : languages) {
        const QString language = LanguageOf(name);
        if (language == QLatin1String("en") || language == QLatin1String("c"))
            return QStringLiteral("en");
        if (!Load(app, kProgramTranslations + QLatin1Char('_') + language, TranslationFolders()))
            continue;
        // Qt's own dialogs and context menus follow where their translation is installed.
        Load(app, QStringLiteral("qtbase_") + language, {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
        return language;
    }
    return QStringLiteral("en");
}

QString InstallTranslations(QCoreApplication& app) { return InstallTranslations(app, QLocale::system().uiLanguages()); }
