// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkLog.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime kAt(QDate(2026, 12, 8), QTime(5, 3, 2, 7));

QByteArray Contents(const QString& file)
{
    QFile log(file);
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray("(unreadable)");
}

} // namespace

class LinkLogTest : public QObject {
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void unwritableFileIsRefused_data();
    void unwritableFileIsRefused();
    void runsAppendToOneFile();
    void failedWriteIsReportedOnceAndEndsTheLog();
};

void LinkLogTest::entries_data()
{
    QTest::addColumn<char>("direction");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("entry");
    QTest::newRow("command") << '>' << QByteArray("p") << QByteArray("2026-12-08 05:03:02.007 > p\n");
    QTest::newRow("reply with blanks") << '<' << QByteArray("P Pelk Clock - 88")
                                       << QByteArray("2026-12-08 05:03:02.007 < P Pelk Clock - 88\n");
    QTest::newRow("empty line") << '<' << QByteArray() << QByteArray("2026-12-08 05:03:02.007 < \n");
    QTest::newRow("backslash reply as it stands")
        << '<' << QByteArray("\\0101") << QByteArray("2026-12-08 05:03:02.007 < \\0101\n");
    QTest::newRow("control bytes escaped")
        << '<' << QByteArray("A\x00\t\r\nB", 6)
        << QByteArray("2026-12-08 05:03:02.007 < A\\x00\\x09\\x0D\\x0AB\n");
    QTest::newRow("DEL and high bytes escaped")
        << '>' << QByteArray("\x7F\x80\xFFz") << QByteArray("2026-12-08 05:03:02.007 > \\x7F\\x80\\xFFz\n");
}

void LinkLogTest::entries()
{
    QFETCH(char, direction);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, entry);
    QCOMPARE(LinkLog::Entry(kAt, direction, line), entry);
}

void LinkLogTest::unwritableFileIsRefused_data()
{
    QTest::addColumn<QString>("inside"); // the log's path inside a fresh folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "gone/traffic.log"
                                    << "No such folder";
    QTest::newRow("a folder") << "."
                              << "Is a directory";
    QTest::newRow("under a file") << "file/traffic.log"
                                  << "Not a directory";
}

void LinkLogTest::unwritableFileIsRefused()
{
    QFETCH(QString, inside);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = QFileInfo(dir.filePath(inside)).absoluteFilePath();
    LinkLog log;
    QString error;
    QVERIFY(!log.Open(dir.filePath(inside), &error));
    QVERIFY(!log.IsOpen());
    QCOMPARE(error, QStringLiteral("cannot write the log %1: %2").arg(path, reason));
}

void LinkLogTest::runsAppendToOneFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("traffic.log"));
    QString error;
    for (const char* command : {"p", "v"}) {
        LinkLog log([] { return kAt; });
        QVERIFY2(log.Open(file, &error), qPrintable(error));
        log.Sent(command);
    }
    QCOMPARE(Contents(file), QByteArray("2026-12-08 05:03:02.007 > p\n2026-12-08 05:03:02.007 > v\n"));
}

void LinkLogTest::failedWriteIsReportedOnceAndEndsTheLog()
{
    LinkLog log;
    QString error;
    QVERIFY2(log.Open(QStringLiteral("/dev/full"), &error), qPrintable(error));
    QStringList reports;
    log.SetOnFailure([&reports](const QString& reason) { reports << reason; });
    log.Sent("p");
    log.Received("P");
    QCOMPARE(
        reports, QStringList{"writing the log /dev/full failed: No space left on device; the log ends here"});
    QVERIFY(!log.IsOpen());
}

QTEST_GUILESS_MAIN(LinkLogTest)
#include "tst_linklog.moc"
