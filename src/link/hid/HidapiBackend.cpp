// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hid/HidapiBackend.h"

#include "link/PortLock.h"
#include "link/hid/ReportDescriptor.h"
#include "link/hid/WakeableRead.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <libudev.h>
#include <unistd.h>

namespace {

// hidraw never shows the language list: the kernel reads it itself and
// gives a device whose list it cannot read no strings at all. What is left
// to check is a serial number that repeats the list, which for nearly every
// device begins with US English.
const QString kKernelLanguages = QString(QChar(0x0409));

QString FromWide(const wchar_t* text) { return text ? QString::fromWCharArray(text) : QString(); }

QString SysfsDevice(const QByteArray& node)
{
    return QStringLiteral("/sys/class/hidraw/%1/device")
        .arg(QFileInfo(QString::fromLocal8Bit(node)).fileName());
}

std::optional<ReportLengths> LengthsOf(const QByteArray& node)
{
    QFile file(SysfsDevice(node) + QStringLiteral("/report_descriptor"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ParseReportDescriptor(file.readAll());
}

// Writes go through hidapi. Reads take a node of their own, waited on with
// poll() beside an eventfd, because hidapi's read can only time out: a
// reader polling it every 100 ms would wake the panel ten times a second
// for as long as a clock is plugged in.
class HidapiConnection : public HidConnection {
public:
    HidapiConnection(std::unique_ptr<PortLock> lock, hid_device* device, QByteArray node, bool reportIds)
        : lock_(std::move(lock))
        , device_(device)
        , node_(std::move(node))
        , reportIds_(reportIds)
    {
    }
    ~HidapiConnection() override
    {
        if (readFd_ >= 0)
            ::close(readFd_);
        hid_close(device_);
    }

    int Read(char* buffer, int size, int timeoutMs, int* error) override
    {
        // hidraw gives a device without numbered reports its data alone;
        // the report ID 0 in front is ours.
        const int offset = reportIds_ ? 0 : 1;
        if (size <= offset)
            return 0;
        if (readFd_ < 0 && (readFd_ = ::open(node_.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) < 0) {
            *error = errno;
            return -1;
        }
        buffer[0] = 0;
        const int count = wake_.Read(readFd_, buffer + offset, size - offset, timeoutMs, error);
        return count <= 0 ? count : count + offset;
    }

    bool Write(const QByteArray& report) override
    {
        const int written = hid_write(
            device_, reinterpret_cast<const unsigned char*>(report.constData()), size_t(report.size()));
        return written == report.size();
    }

    void Interrupt() override { wake_.Wake(); }
    bool CanInterrupt() const override { return wake_.Usable(); }

private:
    std::unique_ptr<PortLock> lock_; // released after the device is closed
    hid_device* device_;
    QByteArray node_;
    bool reportIds_;
    int readFd_ = -1;
    WakeableRead wake_;
};

class HidapiBackend : public HidBackend {
public:
    ~HidapiBackend() override
    {
        notifier_.reset();
        if (monitor_)
            udev_monitor_unref(monitor_);
        if (udev_)
            udev_unref(udev_);
        if (started_)
            hid_exit();
    }

    bool Start() override
    {
        started_ = hid_init() == 0;
        if (started_)
            WatchDeviceNodes();
        return started_;
    }

    QList<HidDeviceInfo> Enumerate() override
    {
        QList<HidDeviceInfo> devices;
        QSet<QByteArray> seen;
        hid_device_info* all = hid_enumerate(0, 0);
        for (const hid_device_info* entry = all; entry; entry = entry->next) {
            // One entry per top-level collection; the device is one.
            const QByteArray path(entry->path);
            if (seen.contains(path))
                continue;
            seen.insert(path);
            HidDeviceInfo info;
            info.path = path;
            // The HID device's sysfs folder ends in a number the kernel
            // counts up for every device it makes, so it changes with every
            // plugging-in while the node name is reused.
            info.instance = QFileInfo(SysfsDevice(path)).canonicalFilePath().toLocal8Bit();
            if (info.instance.isEmpty())
                info.instance = path;
            info.vendorId = entry->vendor_id;
            info.productId = entry->product_id;
            info.version = entry->release_number;
            info.product = FromWide(entry->product_string);
            info.serial = FromWide(entry->serial_number);
            info.languages = kKernelLanguages;
            if (const std::optional<ReportLengths> lengths = LengthsOf(path)) {
                info.inputReportLength = lengths->input;
                info.outputReportLength = lengths->output;
            }
            devices.append(info);
        }
        hid_free_enumeration(all);
        return devices;
    }

    std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device, int* error) override
    {
        auto lock = std::make_unique<PortLock>();
        if (const int busy = lock->Take(QString::fromLocal8Bit(device.path))) {
            *error = busy;
            return nullptr;
        }
        errno = 0;
        hid_device* handle = hid_open_path(device.path.constData());
        if (!handle) {
            if (errno == 0 && ::access(device.path.constData(), R_OK | W_OK) != 0)
                *error = errno;
            else
                *error = errno ? errno : EIO;
            return nullptr;
        }
        const std::optional<ReportLengths> lengths = LengthsOf(device.path);
        return std::make_unique<HidapiConnection>(std::move(lock), handle, device.path, lengths && lengths->reportIds);
    }

private:
    // Nodes as udev has set them up (with their access rights), so a device
    // announced here can be opened at once. Without a udev daemon nothing is
    // announced and the list stays as the first scan found it.
    void WatchDeviceNodes()
    {
        udev_ = udev_new();
        if (udev_)
            monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0
            || udev_monitor_enable_receiving(monitor_) < 0) {
            qWarning("USB devices plugged in or out will not be noticed: no udev monitor");
            return;
        }
        notifier_ = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
            // Several events (a device with two interfaces) make one scan.
            while (udev_device* device = udev_monitor_receive_device(monitor_))
                udev_device_unref(device);
            emit DevicesChanged();
        });
    }

    bool started_ = false;
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace

std::unique_ptr<HidBackend> MakeHidapiBackend() { return std::make_unique<HidapiBackend>(); }
