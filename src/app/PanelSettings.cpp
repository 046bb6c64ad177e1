// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PanelSettings.h"

#include "files/IniFile.h"

namespace {

constexpr const char* kSection = "Panel";
constexpr const char* kReconnect = "Reconnect";

} // namespace

bool ReconnectSetting(const QString& file)
{
    const std::optional<IniFile> ini = IniFile::Load(file);
    return !ini || ini->Value(kSection, kReconnect).value_or("1") != "0";
}

bool StoreReconnectSetting(const QString& file, bool on)
{
    std::optional<IniFile> ini = IniFile::Load(file);
    return ini && ini->SetValue(kSection, kReconnect, on ? "1" : "0") && ini->Save(file);
}
