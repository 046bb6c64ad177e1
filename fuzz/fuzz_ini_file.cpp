// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file is whatever a user or another program left in the
// folder. Invariants: reading never crashes; an unchanged file gives back
// its bytes; storing a value read gives back the same bytes; a stored value
// reads back as itself, in the file as it is and once the file is read
// again, and leaves every other value as it was.

#include "files/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

struct Name {
    const char* section;
    const char* key;
};

// The keys the port reads, a case-folded twin, and odd names.
constexpr Name kNames[] = {
    {"ComPort1", "Port"}, {"ComPort1", "BaudRate"}, {"ComPort1", "CustomBaudRate"}, {"COMPORT1", "flowcontrol"},
    {"Other", "Port"},    {"", "k"},                {"x", ""},
};

QList<std::optional<QByteArray>> ValuesOf(const IniFile& ini)
{
    QList<std::optional<QByteArray>> values;
    for (const Name& name : kNames)
        values << ini.Value(name.section, name.key);
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the name to store and how long the new value is;
    // the value is the file's tail, so it may hold anything a file can.
    const unsigned pick = data[0];
    const QByteArray file(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const IniFile ini(file);
    Check(ini.Content() == file);
    const QList<std::optional<QByteArray>> before = ValuesOf(ini);

    IniFile same(file);
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i])
            Check(same.SetValue(kNames[i].section, kNames[i].key, *before[i]));
    }
    Check(same.Content() == file);

    const qsizetype which = qsizetype(pick % std::size(kNames));
    const Name& name = kNames[which];
    const QByteArray value = file.right(qsizetype(pick >> 3));
    IniFile changed(file);
    const bool stored = changed.SetValue(name.section, name.key, value);
    Check(stored == !(value.contains('\n') || QByteArrayView(name.key).isEmpty()));
    if (!stored) {
        Check(changed.Content() == file);
        return 0;
    }
    QList<std::optional<QByteArray>> expected = before;
    expected[which] = value;
    Check(ValuesOf(changed) == expected);
    Check(ValuesOf(IniFile(changed.Content())) == expected);
    return 0;
}
