#include "app/PelkMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Whirlbeam Clock"));
    QApplication::setApplicationVersion(QStringLiteral(WHIRLBEAM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Control panel for the whirlbeam clock over USB HID or a serial port."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Render each of the ten pages to <dir>/page-0.png .. page-9.png and exit."),
        QStringLiteral("dir"));
    parser.addOption(screenshot);
    parser.process(app);

    TForm1 form;
    form.show();
    if (parser.isSet(screenshot)) {
        QString error;
        if (!form.SaveScreenshots(parser.value(screenshot), &error)) {
            std::fprintf(stderr, "whirlbeam-panel: %s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    return app.exec();
}
