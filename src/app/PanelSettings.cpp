// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PanelSettings.h"

#include "files/IniFile.h"
#include "link/ComPort.h"

#include <QFileInfo>

namespace {

constexpr const char* kSection = "Panel";
constexpr const char* kReconnect = "Reconnect";
constexpr const char* kTraffic = "TrafficView";
constexpr const char* kTrafficArea = "TrafficViewArea";

struct AreaName {
    Qt::DockWidgetArea area;
    const char* name;
};
constexpr AreaName kAreaNames[] = {{Qt::BottomDockWidgetArea, "bottom"}, {Qt::RightDockWidgetArea, "right"},
    {Qt::LeftDockWidgetArea, "left"}, {Qt::TopDockWidgetArea, "top"}};

Qt::DockWidgetArea AreaNamed(const QByteArray& name)
{
    for (const AreaName& known : kAreaNames) {
        if (name.compare(known.name, Qt::CaseInsensitive) == 0)
            return known.area;
    }
    return Qt::BottomDockWidgetArea;
}

QByteArray NameOfArea(Qt::DockWidgetArea area)
{
    for (const AreaName& known : kAreaNames) {
        if (known.area == area)
            return known.name;
    }
    return kAreaNames[0].name;
}

QString StoreFailure(const EComPort& error, const QString& file)
{
    return error.Message() + QLatin1Char('\n') + QFileInfo(file).absoluteFilePath();
}

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

TrafficViewSetting ReadTrafficViewSetting(const QString& file)
{
    const std::optional<IniFile> ini = IniFile::Load(file);
    if (!ini)
        return {};
    return {ini->Value(kSection, kTraffic).value_or("0") == "1",
        AreaNamed(ini->Value(kSection, kTrafficArea).value_or(QByteArray()))};
}

bool StoreTrafficViewSetting(const QString& file, const TrafficViewSetting& setting)
{
    std::optional<IniFile> ini = IniFile::Load(file);
    return ini && ini->SetValue(kSection, kTraffic, setting.open ? "1" : "0")
        && ini->SetValue(kSection, kTrafficArea, NameOfArea(setting.area)) && ini->Save(file);
}

void ReadPortSettings(TCustomComPort& port, const QString& file)
{
    try {
        port.ReadSettings(ssIniFile, file);
    } catch (const EComPort&) {
        // A missing or unreadable settings file leaves the built-in settings.
    }
}

QString StorePortSettings(TCustomComPort& port, const QString& file)
{
    try {
        port.WriteSettings(ssIniFile, file);
    } catch (const EComPort& error) {
        return StoreFailure(error, file);
    }
    return QString();
}

QString StoreReconnect(const QString& file, bool on)
{
    if (StoreReconnectSetting(file, on))
        return QString();
    return StoreFailure(EComPort(EComPort::kStoreSettingsFailed), file);
}
