// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

// When the simulated clock is pulled out and put back, as the command line
// of the simulator, the panel and whirlbeamctl gives it.
struct PlugSchedule {
    std::optional<int> unplugAfterMs; // once, counted from the start
    std::optional<int> replugAfterMs; // after every unplugging, however it came

    bool IsEmpty() const { return !unplugAfterMs && !replugAfterMs; }
};

// The longest wait the options take: a day.
inline constexpr int kLongestPlugDelayMs = 86'400'000;

// Seconds as the options take them ("3", "0.25"), rounded to whole
// milliseconds from 1 to a day; nothing for anything else.
std::optional<int> PlugDelayMs(const QString& seconds);

// Pulls the simulated clock out and puts it back: by hand, on the schedule,
// and on SIGUSR1 (out) and SIGUSR2 (back in). The front end does the work
// through the two functions it is made with (a pseudo terminal hung up and
// opened anew, an in-process HID device removed and added); the clock's
// state stays, as of a clock that stayed powered while its cable was out.
// Pulling out a clock that is out, or putting back one that is in, does
// nothing.
class ClockPlug : public QObject {
    Q_OBJECT
public:
    // Each returns why it failed, or nothing; a failed step leaves the plug
    // as it was.
    using Step = std::function<QString()>;

    ClockPlug(Step unplug, Step replug, QObject* parent = nullptr);
    ~ClockPlug() override;

    // Starts counting the schedule's first unplugging from now.
    void Start(const PlugSchedule& schedule);
    // The signals arrive on this descriptor (WatchPlugSignals); -1: none.
    void Listen(int signalDescriptor);

    bool PluggedIn() const { return pluggedIn_; }

public slots:
    void Unplug();
    void Replug();

signals:
    // Emitted just after the clock went out, and just after it is back: the
    // moment a bench measures from.
    void Unplugged();
    void Replugged();
    void Failed(const QString& why);

private:
    void TakeSignals();

    Step unplug_;
    Step replug_;
    bool pluggedIn_ = true;
    std::optional<int> replugAfterMs_;
    QTimer unplugTimer_;
    QTimer replugTimer_;
    std::unique_ptr<QSocketNotifier> signals_;
};
