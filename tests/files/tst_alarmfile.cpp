// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/AlarmFile.h"
#include "files/TextFile.h"
#include "protocol/LineText.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Lines = QList<QByteArray>;

class AlarmFileTest : public QObject {
    Q_OBJECT

private slots:
    void rowFilter_data();
    void rowFilter();
    void linesAreSplitLikeATextFile_data();
    void linesAreSplitLikeATextFile();
    void savedLinesEndInCrLf();
    void failedSaveKeepsTheOldFile();
    void loadIsBounded_data();
    void loadIsBounded();
    void quotedLineIsCut_data();
    void quotedLineIsCut();
};

void AlarmFileTest::rowFilter_data()
{
    QTest::addColumn<Lines>("file");
    QTest::addColumn<int>("alarmCount");
    QTest::addColumn<Lines>("queued");
    QTest::addColumn<int>("stoppedAt");

    const Lines forty = [] {
        Lines lines;
        for (int row = 0; row < 40; ++row)
            lines << "k" + QByteArray::number(row).rightJustified(2, '0') + "9F063013";
        return lines;
    }();
    QTest::newRow("40 rows for a 20-alarm clock") << forty << 20 << forty.mid(0, 20) + Lines{"z0190"} << 0;
    QTest::newRow("40 rows for 40") << forty << 40 << forty + Lines{"z0190"} << 0;
    QTest::newRow("9, 12 characters, upper K")
        << Lines{"k05FF0700", "k05FF07008A0", "K05FF07008A", "k05FF07008A"} << 20
        << Lines{"k05FF07008A", "z0190"} << 0;
    QTest::newRow("negative row") << Lines{"k-1FF07008A"} << 40 << Lines{"z0190"} << 0;
    QTest::newRow("other commands skipped") << Lines{"w8100000000"} << 40 << Lines{"z0190"} << 0;
    QTest::newRow("empty line stops") << Lines{"k00FF07008A", "", "k01FF07008A"} << 40
                                      << Lines{"k00FF07008A"} << 2;
    QTest::newRow("one character stops") << Lines{"k"} << 40 << Lines{} << 1;
    QTest::newRow("empty file") << Lines{} << 20 << Lines{"z0190"} << 0;
    QTest::newRow("no alarms known") << Lines{"k00FF07008A"} << 0 << Lines{"z0190"} << 0;
}

void AlarmFileTest::rowFilter()
{
    QFETCH(Lines, file);
    QFETCH(int, alarmCount);
    QFETCH(Lines, queued);
    QFETCH(int, stoppedAt);
    const AlarmFileLoad load = AlarmCommandsToQueue(file, alarmCount);
    QCOMPARE(load.commands, queued);
    QCOMPARE(load.stoppedAtLine, stoppedAt);
}

void AlarmFileTest::linesAreSplitLikeATextFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Lines{"a", "b"};
    QTest::newRow("extra empty line") << QByteArray("a\r\n\r\n") << Lines{"a", ""};
    QTest::newRow("no end") << QByteArray("a\r\nb") << Lines{"a", "b"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << Lines{"a", "b"};
    QTest::newRow("empty") << QByteArray() << Lines{};
    QTest::newRow("DEL kept") << QByteArray("\x7f" "E0000000\r\n") << Lines{"\x7f" "E0000000"};
}

void AlarmFileTest::linesAreSplitLikeATextFile()
{
    QFETCH(QByteArray, content);
    QFETCH(Lines, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.alm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QCOMPARE(ReadLines(path), std::optional<Lines>(lines));
}

void AlarmFileTest::savedLinesEndInCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.alm"));
    QVERIFY(SaveLines(path, {"k039F063013", "k04FF07008A"}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("k039F063013\r\nk04FF07008A\r\n"));
    QVERIFY(SaveLines(path, {}));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void AlarmFileTest::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    QVERIFY(!SaveLines(dir.filePath(QStringLiteral("missing/x.alm")), {"k00"}));
    // A name taken by a folder cannot be replaced; the folder stays as it was.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.alm")));
    QVERIFY(!SaveLines(dir.filePath(QStringLiteral("taken.alm")), {"k00"}));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken.alm"))).isDir());
}

void AlarmFileTest::loadIsBounded_data()
{
    QTest::addColumn<QString>("source"); // file, missing, folder, device, fifo
    QTest::addColumn<qsizetype>("size"); // a file's; what the FIFO's writer writes (-1: without end)
    QTest::addColumn<int>("waitMs");
    QTest::addColumn<int>("error");
    const int wait = int(kLoadWait.count());
    QTest::newRow("just under the bound") << "file" << kLoadLimit - 1 << wait << 0;
    QTest::newRow("at the bound") << "file" << kLoadLimit << wait << 0;
    QTest::newRow("one byte over") << "file" << kLoadLimit + 1 << wait << kFileTooLarge;
    QTest::newRow("empty file") << "file" << qsizetype(0) << wait << 0;
    QTest::newRow("missing file") << "missing" << qsizetype(0) << wait << ENOENT;
    QTest::newRow("folder") << "folder" << qsizetype(0) << wait << EISDIR;
    QTest::newRow("/dev/zero") << "device" << qsizetype(0) << wait << kFileTooLarge;
    QTest::newRow("FIFO without end") << "fifo" << qsizetype(-1) << wait << kFileTooLarge;
    QTest::newRow("FIFO whose writer ends") << "fifo" << qsizetype(13) << wait << 0;
    QTest::newRow("FIFO without writer") << "fifo" << qsizetype(0) << 200 << kFileWithoutEnd;
}

// The FIFO's writer is a child process, so the read cannot wait for it.
void AlarmFileTest::loadIsBounded()
{
    QFETCH(QString, source);
    QFETCH(qsizetype, size);
    QFETCH(int, waitMs);
    QFETCH(int, error);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("x.alm"));
    pid_t writer = 0;
    if (source == QLatin1String("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'k')) == size);
    } else if (source == QLatin1String("folder")) {
        path = dir.path();
    } else if (source == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else if (source == QLatin1String("fifo")) {
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        if (size != 0) {
            writer = ::fork();
            QVERIFY(writer >= 0);
            if (writer == 0) {
                const int fd = ::open(name.constData(), O_WRONLY);
                static const char chunk[4096] = {'k'};
                qsizetype left = size;
                while (fd >= 0 && left != 0) {
                    const ssize_t n = ::write(fd, chunk, left < 0 ? sizeof chunk : size_t(left));
                    if (n <= 0)
                        break;
                    if (left > 0)
                        left -= n;
                }
                ::_exit(0);
            }
        }
    }
    int failure = 0;
    const std::optional<QByteArray> content = ReadBytes(path, &failure, std::chrono::milliseconds(waitMs));
    if (writer > 0) {
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
    }
    QCOMPARE(failure, error);
    QCOMPARE(content.has_value(), error == 0);
    if (content)
        QCOMPARE(content->size(), size);
}

void AlarmFileTest::quotedLineIsCut_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("quoted");
    const QByteArray a(56, 'a');
    QTest::newRow("short") << QByteArray("k 5") << QByteArray("\"k 5\"");
    QTest::newRow("60 characters whole") << a + "aaaa" << "\"" + a + "aaaa\"";
    QTest::newRow("61 cut to 60") << a + "aaaaa" << "\"" + a + "aaaa\"...";
    QTest::newRow("escape ending at 60") << a + "\x01" << "\"" + a + "\\x01\"";
    QTest::newRow("escape past 60 left out whole") << a + "a\xff" << "\"" + a + "a\"...";
    QTest::newRow("50 MB line") << QByteArray(50'000'000, 'k') << "\"" + QByteArray(60, 'k') + "\"...";
}

void AlarmFileTest::quotedLineIsCut()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, quoted);
    QCOMPARE(QuotedLine(line).toLatin1(), quoted);
}

QTEST_APPLESS_MAIN(AlarmFileTest)
#include "tst_alarmfile.moc"
