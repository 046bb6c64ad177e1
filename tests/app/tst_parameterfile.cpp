// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PanelFixture.h"
#include "widgets/Spin.h"

#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void SetSpin(Panel& p, const char* name, int value) { p.Get<TSpinEdit>(name)->SetValue(value); }

} // namespace

// Saving takes each value from its control; loading plays any such file
// back into the clock, line by line.
class ParameterFileTest : public QObject {
    Q_OBJECT

private slots:
    void savedFile_data();
    void savedFile();
    void loadQueuesEveryLine_data();
    void loadQueuesEveryLine();
    void failures();
};

void ParameterFileTest::savedFile_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QList<int>>("offsets");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray rest = "i012C\r\nq0722\r\n";
    QTest::newRow("example") << QStringList{"ASTCheckBox", "ReInitCheckBox"} << QList<int>{-2, 5, 0}
                             << "g81\r\n" + rest + "\x7F" "E0FE0500\r\nm28310C31\r\n";
    QTest::newRow("nothing ticked, offsets 0") << QStringList{} << QList<int>{0, 0, 0}
                                               << "g00\r\n" + rest + "\x7F" "E0000000\r\nm28310C31\r\n";
    QTest::newRow("DCF77 sync is never saved") << QStringList{"DCF77SyncCheckBox"} << QList<int>{-10, -10, -10}
                                               << "g00\r\n" + rest + "\x7F" "E0F6F6F6\r\nm28310C31\r\n";
}

// Line 5 takes the pulses the clock reported, never the new values beside them.
void ParameterFileTest::savedFile()
{
    QFETCH(QStringList, ticked);
    QFETCH(QList<int>, offsets);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    Panel p;
    for (const QString& box : ticked)
        p.Get<QCheckBox>(qPrintable(box))->setChecked(true);
    SetSpin(p, "ASTSpinEdit", 300);
    SetSpin(p, "FromSpinEdit", 7);
    SetSpin(p, "ToSpinEdit", 22);
    SetSpin(p, "TempOffsetSpinEdit", offsets[0]);
    SetSpin(p, "HumidityOffsetSpinEdit", offsets[1]);
    SetSpin(p, "PressureOffsetSpinEdit", offsets[2]);
    SetSpin(p, "RunPulseSpinEdit", 40);
    SetSpin(p, "SleepPulseSpinEdit", 12);
    SetSpin(p, "NewRPulseSpinEdit", 99);
    SetSpin(p, "NewSPulseSpinEdit", 98);
    p.dialogs->saveFile = dir.filePath(QStringLiteral("x.par"));
    p.Action("Saveparameters")->setEnabled(true);
    p.Action("Saveparameters")->trigger();
    QCOMPARE(p.dialogs->specs, QStringList{"Save parameters"});
    QCOMPARE(Contents(p.dialogs->saveFile), bytes);
    QVERIFY(p.Queue().isEmpty());

    // Played back and saved again, the file comes out the same.
    p.dialogs->openFile = p.dialogs->saveFile;
    p.Action("Loadparameters")->setEnabled(true);
    p.Action("Loadparameters")->trigger();
    QCOMPARE(p.Queue().join("\r\n") + "\r\n", bytes);
    p.form.SaveparametersClick();
    QCOMPARE(Contents(p.dialogs->saveFile), bytes);
}

void ParameterFileTest::loadQueuesEveryLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Lines>("queued");
    QTest::newRow("one line") << QByteArray("w81\r\n") << Lines{"w81"};
    QTest::newRow("blank lines skipped") << QByteArray("\r\ng81\r\n\r\n\ni012C") << Lines{"g81", "i012C"};
    QTest::newRow("DEL line as it stands") << QByteArray("\x7F" "E0FE0500\r\n") << Lines{"\x7F" "E0FE0500"};
    QTest::newRow("empty file") << QByteArray() << Lines{};
}

void ParameterFileTest::loadQueuesEveryLine()
{
    QFETCH(QByteArray, file);
    QFETCH(Lines, queued);
    QTemporaryDir dir;
    Panel p;
    p.dialogs->openFile = dir.filePath(QStringLiteral("x.par"));
    QFile out(p.dialogs->openFile);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    const int standby = p.Get<TSpinEdit>("ASTSpinEdit")->Value();
    p.form.LoadparametersClick();
    QCOMPARE(p.dialogs->specs, QStringList{"Open parameters"});
    QCOMPARE(p.Queue(), queued);
    QVERIFY2(!ScreenCursor::IsHourglass(), "loading parameters leaves the cursor alone");
    QCOMPARE(p.Get<TSpinEdit>("ASTSpinEdit")->Value(), standby);
}

void ParameterFileTest::failures()
{
    QTemporaryDir dir;
    Panel p;
    QVERIFY(!p.Action("Saveparameters")->isEnabled() && !p.Action("Loadparameters")->isEnabled());
    p.dialogs->openFile = dir.filePath(QStringLiteral("none.par"));
    p.form.LoadparametersClick();
    p.dialogs->saveFile = dir.filePath(QStringLiteral("gone/x.par"));
    p.form.SaveparametersClick();
    const QString missing = p.dialogs->openFile;
    p.dialogs->openFile = QStringLiteral("/dev/zero");
    p.form.LoadparametersClick();
    QCOMPARE(p.dialogs->messages, (QStringList{"File read error " + missing + "\nNo such file",
                                               "File save error " + p.dialogs->saveFile + "\nNo such folder",
                                               "File read error /dev/zero\nlarger than 1 MiB: not a parameter file"}));
    QVERIFY(p.Queue().isEmpty());
    p.form.ReceiveMemo.Append("Z");
    QVERIFY(p.Action("Saveparameters")->isEnabled() && p.Action("Loadparameters")->isEnabled());
}

QTEST_MAIN(ParameterFileTest)
#include "tst_parameterfile.moc"
