// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QtTest>

// The panel's command line as a user meets it in a terminal, with or
// without a display.
class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

void CommandLineTest::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::newRow("no display") << QStringList{} << false << 2
                                << "whirlbeam-panel: no display (DISPLAY and WAYLAND_DISPLAY are not set); "
                                   "to render the pages without one, run: "
                                   "QT_QPA_PLATFORM=offscreen whirlbeam-panel --screenshot DIR\n";
    QTest::newRow("unknown option, no display") << QStringList{"--bogus"} << false << 1
                                                << "whirlbeam-panel: Unknown option 'bogus'.\n";
    QTest::newRow("unknown option") << QStringList{"-x"} << true << 1 << "whirlbeam-panel: Unknown option 'x'.\n";
    QTest::newRow("version, no display") << QStringList{"--version"} << false << 0 << "Whirlbeam Clock 4.02\n";
    QTest::newRow("usb without simulate") << QStringList{"usb"} << false << 1
                                          << "whirlbeam-panel: unexpected argument 'usb'\n";
    QTest::newRow("simulate usb and more") << QStringList{"--simulate", "usb", "now"} << false << 1
                                           << "whirlbeam-panel: unexpected argument 'now'\n";
    // The screenshots would fail too, so a log that is not refused cannot hang the test.
    QTest::newRow("unwritable log")
        << QStringList{"--log", "/dev/null/traffic.log", "--screenshot", "/dev/null/pages"} << true << 1
        << "whirlbeam-panel: cannot write the log /dev/null/traffic.log: Not a directory\n";
    QTest::newRow("unplug without simulate") << QStringList{"--unplug-after", "1"} << false << 1
                                             << "whirlbeam-panel: --unplug-after needs --simulate\n";
    QTest::newRow("replug when?") << QStringList{"--simulate", "usb", "--replug-after", "soon"} << false << 1
                                  << "whirlbeam-panel: --replug-after takes a number of seconds from 0.001 to 86400\n";
    QTest::newRow("connect without serial") << QStringList{"--connect"} << false << 1
                                            << "whirlbeam-panel: --connect needs --serial PORT\n";
}

void CommandLineTest::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QProcess panel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QTemporaryDir runtime;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    panel.setProcessEnvironment(environment);
    panel.start(QStringLiteral(PANEL_BINARY), arguments);
    QVERIFY(panel.waitForFinished(30000));
    QCOMPARE(panel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(panel.exitCode(), exitCode);
    const QByteArray said = exitCode == 0 ? panel.readAllStandardOutput() : panel.readAllStandardError();
    QCOMPARE(QString::fromLocal8Bit(said), output);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
