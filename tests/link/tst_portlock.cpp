// SPDX-License-Identifier: GPL-3.0-or-later
// The lock files serial programs leave beside each other in a lock folder,
// in a temporary folder of the test's own, and what an "in use" error says
// of the program that left one.
#include "link/PortLock.h"
#include "link/SystemErrorText.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray Slurp(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A PID no process has: a child's, once it has been reaped.
pid_t DeadPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

class PortLockTest : public QObject {
    Q_OBJECT
private slots:
    void lockText();
    void takesOrRefuses_data();
    void takesOrRefuses();
    void symlinksMeetTheRealDevice();
    void sharedWithinTheProcess();
    void bridgeInstanceOfCgroup_data();
    void bridgeInstanceOfCgroup();
    void holderNamedInTheError_data();
    void holderNamedInTheError();
};

void PortLockTest::lockText()
{
    QCOMPARE(LockText(1234), QByteArray("      1234\n"));
    QCOMPARE(PidInLock("      1234\n"), pid_t(1234));
    QCOMPARE(PidInLock("garbage\n"), pid_t(0));
    QCOMPARE(PidInLock("-5\n"), pid_t(0));
    QCOMPARE(PidInLock("99999999999\n"), pid_t(0));
}

void PortLockTest::takesOrRefuses_data()
{
    QTest::addColumn<QByteArray>("before"); // the lock's text before the take; "-": no lock; "dead": a gone process;
                                            // "fifo": a FIFO in its place, never to be waited on
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("ours");         // the lock names this process after the take
    const QByteArray live = LockText(1);    // init is always there
    QTest::newRow("free") << QByteArray("-") << true << 0 << true;
    QTest::newRow("stale") << QByteArray("dead") << true << 0 << true;
    QTest::newRow("garbage") << QByteArray("\x01\x02") << true << 0 << true;
    QTest::newRow("empty") << QByteArray() << true << 0 << true;
    QTest::newRow("left by us") << LockText(::getpid()) << true << 0 << true;
    QTest::newRow("live holder") << live << true << EBUSY << false;
    QTest::newRow("live, unpadded") << QByteArray("1") << true << EBUSY << false;
    QTest::newRow("a FIFO") << QByteArray("fifo") << true << 0 << true;
    QTest::newRow("no lock folder") << QByteArray("-") << false << 0 << false;
}

void PortLockTest::takesOrRefuses()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, folder);
    QFETCH(int, result);
    QFETCH(bool, ours);
    QTemporaryDir dir;
    const QString locks = folder ? dir.path() : dir.filePath(QStringLiteral("missing"));
    const QString device = QStringLiteral("/dev/ttyWB%1").arg(QTest::currentDataTag());
    const QString path = LockFilePath(device, locks);
    if (before == "dead")
        before = LockText(DeadPid());
    if (before == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else if (before != "-")
        QVERIFY(Write(path, before));
    {
        PortLock lock;
        QCOMPARE(lock.Take(device, locks), result);
        QCOMPARE(Slurp(path) == LockText(::getpid()), ours);
        if (result == EBUSY)
            QCOMPARE(Slurp(path), before);
        QCOMPARE(LockHolderOf(device, locks), result == EBUSY ? PidInLock(before) : pid_t(0));
    }
    // Released: ours gone, another's left alone; no temporary file left over.
    QCOMPARE(QFile::exists(path), result == EBUSY);
    QCOMPARE(QDir(locks).entryList(QDir::Files).size(), result == EBUSY ? 1 : 0);
}

void PortLockTest::symlinksMeetTheRealDevice()
{
    QTemporaryDir dir;
    QVERIFY(Write(dir.filePath(QStringLiteral("ttyWB0")), QByteArray()));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("ttyWB0")), dir.filePath(QStringLiteral("usb-clock-if00"))));
    QCOMPARE(LockFilePath(dir.filePath(QStringLiteral("usb-clock-if00")), QStringLiteral("/run/lock")),
             QStringLiteral("/run/lock/LCK..ttyWB0"));
    QCOMPARE(LockFilePath(QStringLiteral("/dev/whirlbeam-none"), QStringLiteral("/l")),
             QStringLiteral("/l/LCK..whirlbeam-none"));
}

// The USB link opens its device once to read and once to write.
void PortLockTest::sharedWithinTheProcess()
{
    QTemporaryDir dir;
    const QString device = QStringLiteral("/dev/hidrawWB9");
    const QString path = LockFilePath(device, dir.path());
    PortLock reading;
    PortLock writing;
    QCOMPARE(reading.Take(device, dir.path()), 0);
    QCOMPARE(writing.Take(device, dir.path()), 0);
    reading.Release();
    QVERIFY2(QFile::exists(path), "released while the other take still holds it");
    writing.Release();
    QVERIFY(!QFile::exists(path));
    QCOMPARE(reading.Take(device, dir.path()), 0);
    ReleaseAllPortLocks();
    QVERIFY(!QFile::exists(path));
}

void PortLockTest::bridgeInstanceOfCgroup_data()
{
    QTest::addColumn<QString>("cgroup");
    QTest::addColumn<QString>("instance");
    QTest::newRow("cgroup v2") << "0::/system.slice/system-whirlbeam\\x2dmqtt.slice/whirlbeam-mqtt@kitchen.service\n"
                               << "kitchen";
    QTest::newRow("escaped") << "0::/system.slice/system-whirlbeam\\x2dmqtt.slice/whirlbeam-mqtt@living\\x20room.service\n"
                             << "living room";
    QTest::newRow("dash kept") << "0::/system.slice/system-whirlbeam\\x2dmqtt.slice/whirlbeam-mqtt@hall-2.service\n"
                               << "hall-2";
    QTest::newRow("v1, among others") << "12:pids:/\n1:name=systemd:/system.slice/whirlbeam-mqtt@attic.service\n"
                                      << "attic";
    QTest::newRow("below the unit") << "0::/system.slice/whirlbeam-mqtt@attic.service/extra\n" << "attic";
    QTest::newRow("a terminal") << "0::/user.slice/user-1000.slice/session-2.scope\n" << "";
    QTest::newRow("another template") << "0::/system.slice/whirlbeam-other@x.service\n" << "";
    QTest::newRow("no instance") << "0::/system.slice/whirlbeam-mqtt@.service\n" << "";
    QTest::newRow("unreadable") << "" << "";
}

void PortLockTest::bridgeInstanceOfCgroup()
{
    QFETCH(QString, cgroup);
    QFETCH(QString, instance);
    QCOMPARE(BridgeInstanceOf(cgroup), instance);
}

void PortLockTest::holderNamedInTheError_data()
{
    QTest::addColumn<int>("pid");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("cgroup");
    QTest::addColumn<QString>("text");
    const QString unit = QStringLiteral("0::/system.slice/system-whirlbeam\\x2dmqtt.slice/whirlbeam-mqtt@kitchen.service");
    const QString session = QStringLiteral("0::/user.slice/session-2.scope");
    QTest::newRow("the bridge's service")
        << 812 << QStringList{"/usr/bin/whirlbeamctl", "mqtt", "--config", "/etc/whirlbeam/kitchen.conf"} << unit
        << "The clock is in use by whirlbeamctl mqtt (process 812); stop it with: systemctl stop whirlbeam-mqtt@kitchen";
    QTest::newRow("the bridge in a terminal")
        << 4711 << QStringList{"whirlbeamctl", "--usb", "mqtt"} << session
        << "The clock is in use by whirlbeamctl mqtt (process 4711); stop it with: kill 4711";
    QTest::newRow("whirlbeamctl, another subcommand")
        << 99 << QStringList{"/usr/bin/whirlbeamctl", "monitor"} << session
        << "/dev/ttyUSB0 is in use by whirlbeamctl (process 99).";
    QTest::newRow("another program") << 77 << QStringList{"/usr/bin/minicom", "-D", "/dev/ttyUSB0"} << session
                                     << "/dev/ttyUSB0 is in use by minicom (process 77).";
    QTest::newRow("mqtt in another's line") << 78 << QStringList{"mosquitto_sub", "mqtt"} << unit
                                            << "/dev/ttyUSB0 is in use by mosquitto_sub (process 78).";
    QTest::newRow("command line unreadable") << 79 << QStringList{} << session
                                             << "/dev/ttyUSB0 is in use by another program.";
    QTest::newRow("no lock") << 0 << QStringList{} << QString() << "/dev/ttyUSB0 is in use by another program.";
}

void PortLockTest::holderNamedInTheError()
{
    QFETCH(int, pid);
    QFETCH(QStringList, arguments);
    QFETCH(QString, cgroup);
    QFETCH(QString, text);
    DeviceFacts facts;
    facts.exists = true;
    facts.lockHolder = LockHolder{pid_t(pid), arguments, cgroup};
    for (const int error : {EBUSY, EWOULDBLOCK})
        QCOMPARE(ExplainSystemError(error, QStringLiteral("/dev/ttyUSB0"), ErrorSite::OpeningPort, facts), text);
}

QTEST_GUILESS_MAIN(PortLockTest)
#include "tst_portlock.moc"
