// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimulatedClock.h"

#include "sim/PlugSignals.h"
#include "sim/PtyClock.h"
#include "sim/SimHid.h"
#include "sim/UsbClock.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString FolderTemplate()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString base = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
    return base + QStringLiteral("/whirlbeam-clock-XXXXXX");
}

// The notification comes after the change, from the event loop, as udev's
// does after the kernel's.
void AnnounceLater(SimHidBackend* backend)
{
    QMetaObject::invokeMethod(backend, [backend] { backend->Notify(); }, Qt::QueuedConnection);
}
} // namespace

SimulatedClock::SimulatedClock(Kind kind)
    : kind_(kind)
{
}

SimulatedClock::~SimulatedClock() = default;

std::unique_ptr<SimulatedClock> SimulatedClock::Make(
    Kind kind, const PlugSchedule& schedule, QString* error, const ClockPeerOptions& options)
{
    std::unique_ptr<SimulatedClock> clock(new SimulatedClock(kind));
    if (kind == Kind::Serial) {
        clock->folder_ = std::make_unique<QTemporaryDir>(FolderTemplate());
        if (!clock->folder_->isValid()) {
            *error = clock->folder_->errorString();
            return nullptr;
        }
        clock->pty_ = std::make_unique<PtyClock>(options);
        clock->pty_->SetLinkPath(clock->folder_->filePath(QStringLiteral("clock")));
        if (!clock->pty_->Open()) {
            *error = clock->pty_->ErrorString();
            return nullptr;
        }
    } else {
        clock->usb_ = std::make_unique<UsbClock>(options);
        clock->ownBackend_ = std::make_unique<SimHidBackend>();
        clock->backend_ = clock->ownBackend_.get();
        clock->ownBackend_->Plug(clock->usb_.get(), false);
    }
    SimulatedClock* self = clock.get();
    clock->plug_ = std::make_unique<ClockPlug>([self] { return self->Unplug(); }, [self] { return self->Replug(); });
    clock->plug_->Listen(PlugSignalDescriptor());
    clock->plug_->Start(schedule);
    return clock;
}

QString SimulatedClock::PortPath() const { return pty_ ? pty_->LinkPath() : QString(); }

std::unique_ptr<SimHidBackend> SimulatedClock::TakeBackend() { return std::move(ownBackend_); }

QString SimulatedClock::Unplug()
{
    if (pty_) {
        pty_->HangUp();
        return QString();
    }
    if (!backend_)
        return QStringLiteral("the simulated USB clock has no HID controller any more");
    backend_->Unplug(usb_.get(), false);
    AnnounceLater(backend_);
    return QString();
}

QString SimulatedClock::Replug()
{
    if (pty_)
        return pty_->Open() ? QString() : pty_->ErrorString();
    if (!backend_)
        return QStringLiteral("the simulated USB clock has no HID controller any more");
    backend_->Plug(usb_.get(), false);
    AnnounceLater(backend_);
    return QString();
}
