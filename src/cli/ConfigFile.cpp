// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConfigFile.h"

#include "cli/CliOptions.h"
#include "cli/CliTexts.h"

#include <QSet>

namespace {

enum class Takes { Nothing, Value, MaybeValue };

struct ConfigKey {
    const char* name;
    Takes takes;
};

// Every option but --help, --version and --config itself.
constexpr ConfigKey kKeys[]
    = {{"json", Takes::Nothing}, {"no-reconnect", Takes::Nothing}, {"require-synced", Takes::Nothing},
        {"no-discovery", Takes::Nothing}, {"remove-discovery", Takes::Nothing}, {"tls", Takes::Nothing},
        {"allow-raw", Takes::Nothing}, {"cafile", Takes::Value}, {"log", Takes::Value},
        {"zone", Takes::Value}, {"watch", Takes::Value}, {"timeout", Takes::Value},
        {"unplug-after", Takes::Value}, {"replug-after", Takes::Value}, {"serial", Takes::Value},
        {"usb", Takes::MaybeValue}, {"simulate", Takes::MaybeValue}, {"broker", Takes::Value},
        {"username", Takes::Value}, {"password-file", Takes::Value}, {"id", Takes::Value},
        {"topic-prefix", Takes::Value}, {"discovery-prefix", Takes::Value}, {"poll", Takes::Value}};

const ConfigKey* FindKey(const QString& name)
{
    for (const ConfigKey& key : kKeys)
        if (name == QLatin1String(key.name))
            return &key;
    return nullptr;
}

// The line without its comment.
QString Uncommented(const QString& line)
{
    for (qsizetype i = 0; i < line.size(); ++i)
        if (line[i] == QLatin1Char('#') && (i == 0 || line[i - 1].isSpace()))
            return line.left(i);
    return line;
}

// "--key=value" or "--key" for one line that is not blank; an error otherwise.
QString ArgumentOf(const QString& line, QString* error)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != QLatin1Char('=') && !line[end].isSpace())
        ++end;
    const QString name = line.left(end);
    QString value = line.mid(end).trimmed();
    if (value.startsWith(QLatin1Char('=')))
        value = value.mid(1).trimmed();
    const ConfigKey* key = FindKey(name);
    if (!key) {
        *error = CliTexts::tr("unknown option '%1'").arg(name);
        return QString();
    }
    if (key->takes == Takes::Nothing && !value.isEmpty())
        *error = CliTexts::tr("%1 takes no value").arg(name);
    else if (key->takes == Takes::Value && value.isEmpty())
        *error = CliTexts::tr("%1 needs a value").arg(QStringLiteral("--") + name);
    const QString argument = QStringLiteral("--") + name;
    return value.isEmpty() ? argument : argument + QLatin1Char('=') + value;
}

QString NameOf(const QString& argument)
{
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    const bool link = name == QLatin1String("--serial") || name == QLatin1String("--usb")
        || name == QLatin1String("--simulate");
    return link ? QStringLiteral("link") : name;
}

} // namespace

ConfigOptions ReadConfigText(const QByteArray& text)
{
    ConfigOptions options;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = Uncommented(lines[i]).trimmed();
        if (line.isEmpty())
            continue;
        QString error;
        const QString argument = ArgumentOf(line, &error);
        if (error.isEmpty())
            error = OptionError(argument);
        if (!error.isEmpty()) {
            options.error = CliTexts::tr("line %1: %2").arg(i + 1).arg(error);
            options.arguments.clear();
            return options;
        }
        options.arguments << argument;
    }
    return options;
}

QStringList MergeConfig(const QStringList& config, const QStringList& commandLine)
{
    QSet<QString> given;
    for (const QString& argument : commandLine)
        if (argument.startsWith(QLatin1String("--")))
            given.insert(NameOf(argument));
    QStringList merged;
    for (const QString& argument : config)
        if (!given.contains(NameOf(argument)))
            merged << argument;
    return merged + commandLine;
}
