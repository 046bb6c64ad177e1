#include "app/PelkMain.h"
#include "sim/PtyClock.h"
#include "sim/UsbClock.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "whirlbeam-panel: %s\n", qPrintable(message));
    return 1;
}

struct Options {
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
        QStringLiteral("Render each of the ten pages to <dir>/page-0.png .. page-9.png and exit; "
                       "with a clock to connect to, once it has been read."),
        QStringLiteral("dir")};
    QCommandLineOption simulate{QStringLiteral("simulate"),
        QStringLiteral("Start a simulated clock on a pseudo terminal and connect to it; "
                       "'--simulate usb': as a USB device inside the panel.")};
    QCommandLineOption serial{QStringLiteral("serial"),
        QStringLiteral("Use the serial link on <port> (COM1, ttyUSB0, /dev/pts/3 ...)."),
        QStringLiteral("port")};
    QCommandLineOption connect{QStringLiteral("connect"),
        QStringLiteral("Press Open as soon as the window is up (with --serial).")};
};

QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

constexpr int kScreenshotWaitMs = 60000;

int Screenshots(TForm1& form, const QString& folder)
{
    QString error;
    return form.SaveScreenshots(folder, &error) ? 0 : Fail(error);
}

// --help and --version answer without a display; everything else is parsed
// once the application has taken out Qt's own options (-platform ...).
bool AnswerWithoutDisplay(QCommandLineParser& parser, const QStringList& arguments)
{
    const QStringList quick = {QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("-?"),
                               QStringLiteral("--help-all"), QStringLiteral("-v"), QStringLiteral("--version")};
    const auto asked = std::find_if(arguments.begin() + 1, arguments.end(),
                                    [&quick](const QString& argument) { return quick.contains(argument); });
    if (asked == arguments.end())
        return false;
    if (*asked == QStringLiteral("-v") || *asked == QStringLiteral("--version"))
        std::printf("%s %s\n", qPrintable(QApplication::applicationName()),
                    qPrintable(QApplication::applicationVersion()));
    else
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                        QStringLiteral("whirlbeam-panel"))),
                   stdout);
    return true;
}

void ChooseLink(TForm1& form, const QCommandLineParser& parser, const Options& options, const PtyClock* clock,
                const UsbClock* usbClock)
{
    if (usbClock) {
        form.OpenOnFirstActivation();
    } else if (clock) {
        form.SelectSerialLink(clock->SlavePath());
        form.OpenOnFirstActivation();
    } else if (parser.isSet(options.serial)) {
        form.SelectSerialLink(parser.value(options.serial));
        if (parser.isSet(options.connect))
            form.OpenOnFirstActivation();
    }
}

// Connected pages are shown once the clock has been read, or after a minute
// if it never answers.
int ScreenshotsOnceRead(QApplication& app, TForm1& form, const QString& folder)
{
    int result = 1;
    bool shot = false;
    const auto shoot = [&] {
        if (std::exchange(shot, true))
            return;
        result = Screenshots(form, folder);
        QApplication::exit();
    };
    QObject::connect(&form, &TForm1::FirstLoadDone, &form, shoot, Qt::QueuedConnection);
    QTimer::singleShot(kScreenshotWaitMs, &form, shoot);
    app.exec();
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Whirlbeam Clock"));
    QApplication::setApplicationVersion(QStringLiteral(WHIRLBEAM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Control panel for the whirlbeam clock over USB HID or a serial port."));
    parser.addHelpOption();
    parser.addVersionOption();
    const Options options;
    parser.addOptions({options.screenshot, options.simulate, options.serial, options.connect});
    if (AnswerWithoutDisplay(parser, Arguments(argc, argv)))
        return 0;

    QApplication app(argc, argv);
    parser.process(app);
    if (parser.isSet(options.simulate) && parser.isSet(options.serial))
        return Fail(QStringLiteral("--simulate and --serial exclude each other"));
    if (parser.isSet(options.connect) && !parser.isSet(options.serial))
        return Fail(QStringLiteral("--connect needs --serial PORT"));
    const bool simulateUsb = parser.positionalArguments() == QStringList{QStringLiteral("usb")};
    if (!parser.positionalArguments().isEmpty() && !(simulateUsb && parser.isSet(options.simulate)))
        return Fail(QStringLiteral("unexpected arguments: %1").arg(parser.positionalArguments().join(QLatin1Char(' '))));

    // The simulated clock outlives the window, whose link talks to it.
    std::unique_ptr<PtyClock> clock;
    std::unique_ptr<UsbClock> usbClock;
    TForm1::Devices devices;
    if (simulateUsb) {
        usbClock = std::make_unique<UsbClock>();
        auto usb = std::make_unique<SimHidBackend>();
        usb->Plug(usbClock.get(), false);
        devices.hidCtl = std::make_unique<TJvHidDeviceController>(std::move(usb));
    } else if (parser.isSet(options.simulate)) {
        clock = std::make_unique<PtyClock>();
        if (!clock->Open())
            return Fail(clock->ErrorString());
    }

    TForm1 form(std::move(devices));
    ChooseLink(form, parser, options, clock.get(), usbClock.get());
    form.show();
    form.activateWindow();
    if (!parser.isSet(options.screenshot))
        return app.exec();
    const QString folder = parser.value(options.screenshot);
    if (!clock && !usbClock && !parser.isSet(options.connect))
        return Screenshots(form, folder);
    return ScreenshotsOnceRead(app, form, folder);
}
