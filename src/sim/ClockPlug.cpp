// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/ClockPlug.h"

#include "sim/PlugSignals.h"

#include <QSocketNotifier>
#include <cmath>
#include <csignal>

std::optional<int> PlugDelayMs(const QString& seconds)
{
    bool ok = false;
    const double value = seconds.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double ms = std::round(value * 1000.0);
    if (ms < 1.0 || ms > kLongestPlugDelayMs)
        return std::nullopt;
    return int(ms);
}

ClockPlug::ClockPlug(Step unplug, Step replug, QObject* parent)
    : QObject(parent)
    , unplug_(std::move(unplug))
    , replug_(std::move(replug))
{
    unplugTimer_.setSingleShot(true);
    replugTimer_.setSingleShot(true);
    // Precise: a bench measures from the moment the clock is back.
    unplugTimer_.setTimerType(Qt::PreciseTimer);
    replugTimer_.setTimerType(Qt::PreciseTimer);
    connect(&unplugTimer_, &QTimer::timeout, this, &ClockPlug::Unplug);
    connect(&replugTimer_, &QTimer::timeout, this, &ClockPlug::Replug);
}

ClockPlug::~ClockPlug() = default;

void ClockPlug::Start(const PlugSchedule& schedule)
{
    replugAfterMs_ = schedule.replugAfterMs;
    if (schedule.unplugAfterMs)
        unplugTimer_.start(*schedule.unplugAfterMs);
}

void ClockPlug::Listen(int signalDescriptor)
{
    signals_.reset();
    if (signalDescriptor < 0)
        return;
    signals_ = std::make_unique<QSocketNotifier>(signalDescriptor, QSocketNotifier::Read);
    connect(signals_.get(), &QSocketNotifier::activated, this, &ClockPlug::TakeSignals);
}

void ClockPlug::TakeSignals()
{
    while (const int signal = TakePlugSignal(int(signals_->socket()))) {
        if (signal == SIGUSR1)
            Unplug();
        else if (signal == SIGUSR2)
            Replug();
    }
}

void ClockPlug::Unplug()
{
    // The schedule unplugs once; a signal before it has done so.
    unplugTimer_.stop();
    if (!pluggedIn_)
        return;
    if (const QString why = unplug_(); !why.isEmpty()) {
        emit Failed(why);
        return;
    }
    pluggedIn_ = false;
    emit Unplugged();
    if (replugAfterMs_)
        replugTimer_.start(*replugAfterMs_);
}

void ClockPlug::Replug()
{
    replugTimer_.stop();
    if (pluggedIn_)
        return;
    if (const QString why = replug_(); !why.isEmpty()) {
        emit Failed(why);
        return;
    }
    pluggedIn_ = true;
    emit Replugged();
}
