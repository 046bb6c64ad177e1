// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port's settings file.

#include "files/IniFile.h"
#include "link/ComPort.h"
#include "link/ComPortTexts.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kDefaultCustomRate = 9600;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A decimal integer, or a hexadecimal one after "0x"; nullopt for anything
// else, a number out of range included.
std::optional<int> IntegerOf(const QByteArray& text)
{
    const bool hex = text.startsWith("0x") || text.startsWith("0X");
    const QByteArray digits = hex ? text.mid(2) : text;
    if (digits.isEmpty() || (hex && !std::all_of(digits.begin(), digits.end(), IsHexDigit)))
        return std::nullopt;
    bool ok = false;
    const int value = digits.toInt(&ok, hex ? 16 : 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// One section of the settings file, read with the current settings as the
// defaults of missing keys.
class SettingsSection {
public:
    SettingsSection(const IniFile& ini, const QString& name)
        : ini_(ini)
        , name_(name.toUtf8())
    {
    }

    QString Text(const char* key, const QString& current) const
    {
        const std::optional<QByteArray> value = ini_.Value(name_, key);
        return value ? QString::fromUtf8(*value) : current;
    }

    template <typename Enum> Enum Value(const char* key, Enum current) const
    {
        return ComValueOf<Enum>(Text(key, ComText(current)));
    }

    std::optional<QByteArray> Raw(const char* key) const { return ini_.Value(name_, key); }

private:
    const IniFile& ini_;
    QByteArray name_;
};

} // namespace

void TComPort::ReadSettings(TSettingsStore kind, const QString& name)
{
    if (kind != ssIniFile)
        throw EComPort(EComPort::kLoadSettingsFailed);
    const std::optional<IniFile> ini = IniFile::Load(name);
    if (!ini)
        throw EComPort(EComPort::kLoadSettingsFailed);
    try {
        InSettingsUpdate([&] { ReadSettingsFrom(*ini); });
    } catch (...) {
        throw EComPort(EComPort::kLoadSettingsFailed);
    }
}

void TComPort::ReadSettingsFrom(const IniFile& ini)
{
    // A file without this port's section was not written for it.
    if (!ini.HasSection(name_.toUtf8()))
        return;
    const SettingsSection section(ini, name_);
    SetPort(section.Text("Port", port_));
    SetBaudRate(section.Value("BaudRate", baudRate_));
    // Unlike the other keys, a missing or unreadable custom rate does not
    // keep the current one: the file stands for 9600 then.
    if (baudRate_ == brCustom)
        SetCustomBaudRate(IntegerOf(section.Raw("CustomBaudRate").value_or(QByteArray())).value_or(kDefaultCustomRate));
    SetStopBits(section.Value("StopBits", stopBits_));
    SetDataBits(section.Value("DataBits", dataBits_));
    parity_.SetBits(section.Value("Parity", parity_.Bits()));
    flowControl_.SetFlowControl(section.Value("FlowControl", flowControl_.FlowControl()));
}

void TComPort::WriteSettings(TSettingsStore kind, const QString& name)
{
    if (kind != ssIniFile)
        throw EComPort(EComPort::kStoreSettingsFailed);
    // A file that cannot be read cannot be rewritten without losing what it
    // holds besides this section.
    std::optional<IniFile> ini = IniFile::Load(name);
    if (!ini)
        throw EComPort(EComPort::kStoreSettingsFailed);
    const QByteArray section = name_.toUtf8();
    const auto set
        = [&](const char* key, const QString& value) { return ini->SetValue(section, key, value.toUtf8()); };
    bool stored = set("Port", port_) && set("BaudRate", ComText(baudRate_));
    if (baudRate_ == brCustom)
        stored = stored && set("CustomBaudRate", QString::number(customBaudRate_));
    stored = stored && set("StopBits", ComText(stopBits_)) && set("DataBits", ComText(dataBits_))
        && set("Parity", ComText(parity_.Bits())) && set("FlowControl", ComText(flowControl_.FlowControl()));
    if (!stored || !ini->Save(name))
        throw EComPort(EComPort::kStoreSettingsFailed);
}
