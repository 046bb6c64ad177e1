// SPDX-License-Identifier: GPL-3.0-or-later
// whirlbeamctl mqtt --config reads a file the owner wrote by hand, or any
// file a wrong path names. Input: the file's bytes. Invariants: either an
// error naming the bad line (and no options), or options that each parse
// alone as the command line would take them; the same text gives the same
// answer; merged under any command line, the command line stays its tail.

#include "cli/CliOptions.h"
#include "cli/ConfigFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const ConfigOptions config = ReadConfigText(text);
    if (!config.error.isEmpty()) {
        Check(config.error.startsWith(QLatin1String("line ")) && config.arguments.isEmpty());
    } else {
        for (const QString& argument : config.arguments)
            Check(argument.startsWith(QLatin1String("--")) && OptionError(argument).isEmpty());
    }
    const ConfigOptions again = ReadConfigText(text);
    Check(again.arguments == config.arguments && again.error == config.error);
    const QStringList commandLine{QStringLiteral("mqtt"), QStringLiteral("--poll=9")};
    const QStringList merged = MergeConfig(config.arguments, commandLine);
    Check(merged.mid(merged.size() - commandLine.size()) == commandLine);
    Check(!merged.mid(0, merged.size() - commandLine.size()).contains(QStringLiteral("--poll=9")));
    return 0;
}
