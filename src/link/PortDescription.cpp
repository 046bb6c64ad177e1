// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortDescription.h"

#include "link/ComPort.h"
#include <QCoreApplication>

#include <QFileInfo>

#include <libudev.h>
#include <memory>

namespace {

// The context of this file's texts for translation.
struct PortDescriptionTexts {
    Q_DECLARE_TR_FUNCTIONS(PortDescriptionTexts)
};

const QString kByIdFolder = QStringLiteral("/dev/serial/by-id/");

QString Words(const QByteArray& value) { return QString::fromUtf8(value).replace(QLatin1Char('_'), QLatin1Char(' ')).trimmed(); }

QString FirstOf(const QHash<QByteArray, QByteArray>& properties, std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        if (const QByteArray value = properties.value(key); !value.isEmpty())
            return Words(value);
    return QString();
}

} // namespace

QString PortDescription::Text() const
{
    QStringList parts;
    const QString name = (vendor + QLatin1Char(' ') + model).trimmed();
    if (!name.isEmpty())
        parts << name;
    if (!serial.isEmpty())
        parts << PortDescriptionTexts::tr("serial %1").arg(serial);
    parts += byIdLinks;
    return parts.join(QStringLiteral(", "));
}

PortDescription DescribeUdevProperties(const QHash<QByteArray, QByteArray>& properties)
{
    PortDescription description;
    description.vendor = FirstOf(properties, {"ID_VENDOR_FROM_DATABASE", "ID_VENDOR"});
    description.model = FirstOf(properties, {"ID_MODEL_FROM_DATABASE", "ID_MODEL"});
    description.serial = QString::fromUtf8(properties.value("ID_SERIAL_SHORT")).trimmed();
    for (const QByteArray& link : properties.value("DEVLINKS").split(' ')) {
        const QString name = QString::fromUtf8(link);
        if (name.startsWith(kByIdFolder))
            description.byIdLinks << name;
    }
    description.byIdLinks.sort();
    return description;
}

PortDescription DescribePort(const QString& port)
{
    const QString node = QFileInfo(TComPort::DevicePath(port)).canonicalFilePath();
    if (!node.startsWith(QLatin1String("/dev/")))
        return {};
    const std::unique_ptr<udev, decltype(&udev_unref)> context(udev_new(), &udev_unref);
    if (!context)
        return {};
    const QByteArray sysname = QFileInfo(node).fileName().toLocal8Bit();
    const std::unique_ptr<udev_device, decltype(&udev_device_unref)> device(
        udev_device_new_from_subsystem_sysname(context.get(), "tty", sysname.constData()), &udev_device_unref);
    if (!device)
        return {};
    QHash<QByteArray, QByteArray> properties;
    for (udev_list_entry* entry = udev_device_get_properties_list_entry(device.get()); entry;
         entry = udev_list_entry_get_next(entry))
        properties.insert(udev_list_entry_get_name(entry), udev_list_entry_get_value(entry));
    return DescribeUdevProperties(properties);
}
