// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hid/UdevTtyAnnouncer.h"

#include <QSocketNotifier>
#include <libudev.h>

namespace {

// The monitor's socket is opened only while someone waits for a port, so
// an idle panel holds none.
class UdevTtyAnnouncer : public TtyAnnouncer {
public:
    ~UdevTtyAnnouncer() override { Stop(); }

    bool Start() override
    {
        if (monitor_)
            return true;
        udev_ = udev_new();
        if (udev_)
            monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0
            || udev_monitor_enable_receiving(monitor_) < 0) {
            Stop();
            return false;
        }
        notifier_ = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
            // Several events at once (a node and its links) make one announcement.
            while (udev_device* device = udev_monitor_receive_device(monitor_))
                udev_device_unref(device);
            emit Announced();
        });
        return true;
    }

    // Also from within the announcement: the notifier goes once its signal is done.
    void Stop() override
    {
        if (notifier_) {
            notifier_->setEnabled(false);
            notifier_->disconnect(this);
            notifier_.release()->deleteLater();
        }
        if (monitor_)
            udev_monitor_unref(monitor_);
        if (udev_)
            udev_unref(udev_);
        monitor_ = nullptr;
        udev_ = nullptr;
    }

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace

std::unique_ptr<TtyAnnouncer> MakeUdevTtyAnnouncer() { return std::make_unique<UdevTtyAnnouncer>(); }
