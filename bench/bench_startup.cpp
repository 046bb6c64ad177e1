// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the first frame: the time from the process start to the main
// window's first frame on screen, with the window built and shown as the
// panel's main does (default devices, no link chosen). Run it on a real
// display server (scripts/bench uses Xvfb and the xcb platform).
//
// The start is the moment the caller stamped into WHIRLBEAM_BENCH_EXEC_REALTIME
// (seconds since the epoch, as bash's $EPOCHREALTIME) just before the exec;
// without it, the kernel's start time of this process, to 10 ms.

#include "Measurement.h"

#include "app/DisplayDefaults.h"
#include "app/PelkMain.h"
#include "app/WindowPlacement.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int kGiveUpMs = 30000;

double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// How long ago this process started, in seconds.
double SinceProcessStart()
{
    const QByteArray stamp = qgetenv("WHIRLBEAM_BENCH_EXEC_REALTIME");
    if (!stamp.isEmpty())
        return Seconds(CLOCK_REALTIME) - stamp.toDouble();
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // Field 22, the start time in clock ticks since boot, counted from
    // field 3, the first after the command name in parentheses.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(22 - 3).toDouble();
    return Seconds(CLOCK_BOOTTIME) - startTicks / double(sysconf(_SC_CLK_TCK));
}

// Reports once the window's first expose has been handled, which paints
// the widgets and flushes them to the screen.
class FirstFrameWatch : public QObject {
public:
    explicit FirstFrameWatch(QWidget& window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && watched == window_.windowHandle() && !seen_
            && window_.windowHandle()->isExposed()) {
            seen_ = true;
            QTimer::singleShot(0, this, &FirstFrameWatch::Report);
        }
        return false;
    }

private:
    void Report()
    {
        PrintMeasurement("startup_first_frame_ms", SinceProcessStart() * 1000, "ms");
        PrintMeasurement("window_width", window_.width(), "px");
        PrintMeasurement("window_height", window_.height(), "px");
        QApplication::quit();
    }

    QWidget& window_;
    bool seen_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Whirlbeam Clock"));
    QApplication::setDesktopFileName(QStringLiteral(WHIRLBEAM_APP_ID));
    SetDisplayDefaults();
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(WHIRLBEAM_APP_ID)));
    TForm1 form;
    FirstFrameWatch watch(form);
    app.installEventFilter(&watch);
    ShowCentredAtFixedSize(form);
    form.activateWindow();
    QTimer::singleShot(kGiveUpMs, &app, [] {
        std::fprintf(stderr, "bench_startup: no frame within %d s\n", kGiveUpMs / 1000);
        QApplication::exit(1);
    });
    return app.exec();
}
