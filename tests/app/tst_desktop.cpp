// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"
#include "support/PanelFixture.h"

#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

// What the panel does for the desktop around it: where its window opens and
// the log of its link's traffic.
class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ScreenCursor::SetArrow(); }

    void centredTopLeft_data();
    void centredTopLeft();
    void windowOpensCentredAtItsFixedSize();
    void linkTrafficIsLogged();
};

void DesktopTest::centredTopLeft_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("full HD") << QSize(753, 650) << QRect(0, 0, 1920, 1080) << QPoint(583, 215);
    QTest::newRow("under a top bar") << QSize(753, 650) << QRect(0, 32, 1920, 1048) << QPoint(583, 231);
    QTest::newRow("second screen right of the first")
        << QSize(753, 650) << QRect(1920, 0, 2560, 1440) << QPoint(2823, 395);
    QTest::newRow("taller than the screen: title bar stays on it")
        << QSize(753, 650) << QRect(0, 0, 800, 600) << QPoint(23, 0);
    QTest::newRow("larger than the screen") << QSize(753, 650) << QRect(100, 50, 640, 480) << QPoint(100, 50);
}

void DesktopTest::centredTopLeft()
{
    QFETCH(QSize, window);
    QFETCH(QRect, available);
    QFETCH(QPoint, topLeft);
    QCOMPARE(CentredTopLeft(window, available), topLeft);
}

void DesktopTest::windowOpensCentredAtItsFixedSize()
{
    Panel panel;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ShowCentredAtFixedSize(panel.form);
    // The status bar takes its height only once it is shown.
    QTRY_COMPARE(panel.form.size(), panel.form.sizeHint());
    const QSize size = panel.form.size();
    QCOMPARE(panel.form.minimumSize(), size);
    QCOMPARE(panel.form.maximumSize(), size);
    QVERIFY((panel.form.pos() - CentredTopLeft(size, available)).manhattanLength() <= 1);
}

// The tick's command and the clock's reply, each on a line of its own with
// its time, in the order they passed the link.
void DesktopTest::linkTrafficIsLogged()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("traffic.log"));
    Panel panel;
    QString error;
    QVERIFY2(panel.form.TrafficLog.Open(file, &error), qPrintable(error));
    panel.ChooseSerial();
    panel.Open();
    panel.form.Timer1Timer();
    panel.port->Receive("P Pelk\r\nV0402\r\n");
    panel.form.Timer1Timer();
    QFile log(file);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    const QRegularExpression time(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} $"));
    QList<QByteArray> traffic;
    for (const QByteArray& line : lines.first(lines.size() - 1)) {
        QVERIFY2(time.match(QString::fromLatin1(line.left(24))).hasMatch(), line.constData());
        traffic << line.mid(24);
    }
    QCOMPARE(panel.port->writes.size(), 2);
    QCOMPARE(traffic,
        (QList<QByteArray>{
            "> " + panel.port->writes[0], "< P Pelk", "< V0402", "> " + panel.port->writes[1]}));
    QCOMPARE(lines.last(), QByteArray());
}

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
