// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/PtyClock.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
// The panel's side of the cable: the slave opened and made raw as a serial
// port would be.
class PanelEnd {
public:
    explicit PanelEnd(const QString& path)
        : fd_(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0) {
            cfmakeraw(&tio);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~PanelEnd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    bool Write(const QByteArray& bytes) { return ::write(fd_, bytes.constData(), size_t(bytes.size())) == bytes.size(); }

    // Takes what has arrived; true once a whole line is there. Meant to be
    // polled (QTRY_VERIFY), so the clock's event loop keeps running.
    bool LineArrived()
    {
        char buffer[256];
        ssize_t count;
        while ((count = ::read(fd_, buffer, sizeof buffer)) > 0)
            received.append(buffer, count);
        return received.contains('\n');
    }

    QByteArray TakeLine()
    {
        const qsizetype end = received.indexOf('\n') + 1;
        const QByteArray line = received.left(end);
        received.remove(0, end);
        return line;
    }

    QByteArray received;

private:
    int fd_;
};

bool HungUp(int fd)
{
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, 0) == 1 && (watched.revents & POLLHUP);
}

ClockPeerOptions QuietOptions()
{
    ClockPeerOptions options;
    options.driftIntervalMs = 0;
    options.rc5IntervalMs = 0;
    return options;
}
} // namespace

class PtyClockTest : public QObject {
    Q_OBJECT

private slots:
    void slaveIsRawFromTheStart();
    void answersOnTheSlave_data();
    void answersOnTheSlave();
    void hangUpReachesThePanel();
    void simProgramServesUntilTerminated();
    void simProgramUnplugsAndReplugs_data();
    void simProgramUnplugsAndReplugs();
};

void PtyClockTest::slaveIsRawFromTheStart()
{
    PtyClock clock(QuietOptions());
    QVERIFY2(clock.Open(), qPrintable(clock.ErrorString()));
    QVERIFY(clock.SlavePath().startsWith("/dev/pts/"));
    const int fd = ::open(clock.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios tio{};
    QCOMPARE(::tcgetattr(fd, &tio), 0);
    ::close(fd);
    QCOMPARE(tio.c_lflag & (ECHO | ICANON | ISIG), tcflag_t(0));
    QCOMPARE(tio.c_oflag & OPOST, tcflag_t(0));
}

void PtyClockTest::answersOnTheSlave_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QList<QByteArray>>("lines");

    QTest::newRow("identification") << QByteArray("p") << QList<QByteArray>{"Pelk Whirlbeam Clock\r\n"};
    QTest::newRow("run of three") << QByteArray("vz0190w00")
                                  << QList<QByteArray>{"V04.02\r\n", "Z0190\r\n", "W8C000000\r\n"};
    QTest::newRow("short form after silence") << QByteArray("g81") << QList<QByteArray>{"G8101\r\n"};
}

void PtyClockTest::answersOnTheSlave()
{
    QFETCH(QByteArray, sent);
    QFETCH(QList<QByteArray>, lines);
    PtyClock clock(QuietOptions());
    QVERIFY(clock.Open());
    PanelEnd panel(clock.SlavePath());
    QVERIFY(panel.IsOpen());
    QVERIFY(panel.Write(sent));
    for (const QByteArray& line : lines) {
        QTRY_VERIFY(panel.LineArrived());
        QCOMPARE(panel.TakeLine(), line);
    }
}

void PtyClockTest::hangUpReachesThePanel()
{
    PtyClock clock(QuietOptions());
    QVERIFY(clock.Open());
    PanelEnd panel(clock.SlavePath());
    QVERIFY(panel.IsOpen());
    clock.HangUp();
    QVERIFY(!clock.IsOpen());
    pollfd watched{panel.Fd(), POLLIN, 0};
    QCOMPARE(::poll(&watched, 1, 0), 1);
    QVERIFY(watched.revents & POLLHUP);
    char byte;
    const ssize_t got = ::read(panel.Fd(), &byte, 1);   // end of file or EIO, as the kernel likes
    QVERIFY(got == 0 || (got < 0 && errno == EIO));
}

void PtyClockTest::simProgramServesUntilTerminated()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("clock");
    QFile::link("/nonexistent", link); // a stale link from an earlier run
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/whirlbeam-sim",
        {"--alarms", "20", "--link", link});
    QVERIFY(sim.waitForStarted());
    QTRY_VERIFY(sim.canReadLine());
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY(path.startsWith("/dev/pts/"));
    QCOMPARE(QFileInfo(link).symLinkTarget(), path);

    PanelEnd panel(link);
    QVERIFY(panel.IsOpen());
    QVERIFY(panel.Write("po"));
    QTRY_VERIFY(panel.LineArrived());
    QCOMPARE(panel.TakeLine(), QByteArray("Pelk Whirlbeam Clock\r\n"));
    QTRY_VERIFY(panel.LineArrived());
    QCOMPARE(panel.TakeLine(), QByteArray("O201D\r\n"));

    sim.terminate();
    QVERIFY(sim.waitForFinished());
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(sim.readAllStandardOutput().isEmpty());
    QVERIFY(!QFileInfo(link).isSymLink());
}

void PtyClockTest::simProgramUnplugsAndReplugs_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("options") << QStringList{"--unplug-after", "2", "--replug-after", "0.5"};
    QTest::newRow("signals") << QStringList{};
}

void PtyClockTest::simProgramUnplugsAndReplugs()
{
    QFETCH(QStringList, options);
    const bool bySignal = options.isEmpty();
    QTemporaryDir dir;
    const QString link = dir.filePath("clock");
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/whirlbeam-sim", QStringList{"--link", link} + options);
    QVERIFY(sim.waitForStarted());
    QTRY_VERIFY(sim.canReadLine());
    const QString first = QString::fromLocal8Bit(sim.readLine()).trimmed();

    PanelEnd panel(link);
    QVERIFY(panel.IsOpen());
    QVERIFY(panel.Write("p"));
    QTRY_VERIFY(panel.LineArrived());
    if (bySignal)
        ::kill(pid_t(sim.processId()), SIGUSR1);
    QTRY_VERIFY(HungUp(panel.Fd()));
    if (bySignal) {
        QTRY_VERIFY(!QFileInfo(link).isSymLink());
        ::kill(pid_t(sim.processId()), SIGUSR2);
    }

    // The new terminal's path, and the link to it.
    QTRY_VERIFY(sim.canReadLine());
    const QString second = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY(second.startsWith("/dev/pts/"));
    QVERIFY(second != first);
    QCOMPARE(QFileInfo(link).symLinkTarget(), second);
    PanelEnd again(link);
    QVERIFY(again.Write("p"));
    QTRY_VERIFY(again.LineArrived());
    QCOMPARE(again.TakeLine(), QByteArray("Pelk Whirlbeam Clock\r\n"));

    sim.terminate();
    QVERIFY(sim.waitForFinished());
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_MAIN(PtyClockTest)
#include "tst_ptyclock.moc"
