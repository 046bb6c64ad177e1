// Measures how many command lines the transmit tick really sends per second
// on an open USB link (target: 50, one per 20 ms tick). Not a test: it
// prints the rate, for comparing timer choices and machines.

#include "app/PelkMain.h"
#include "support/FakeDialogs.h"
#include "support/FakeHid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;

    FakeHidDevice clock;
    auto* controller = new FakeHidController;
    controller->devices = {&clock};
    TForm1 form{TForm1::Devices{nullptr, std::unique_ptr<TJvHidDeviceController>(controller),
                                std::make_unique<FakeDialogs>()}};
    controller->Change();
    form.findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();

    QElapsedTimer clockTime;
    clockTime.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double elapsed = clockTime.elapsed() / 1000.0;
    std::printf("%lld reports in %.2f s: %.1f lines per second\n", static_cast<long long>(clock.reports.size()),
                elapsed, clock.reports.size() / elapsed);
    return 0;
}
