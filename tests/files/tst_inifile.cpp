// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/IniFile.h"
#include "files/TextFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using OptionalBytes = std::optional<QByteArray>;
Q_DECLARE_METATYPE(OptionalBytes)

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void valuesAreRead_data();
    void valuesAreRead();
    void settingAValueChangesOnlyIt_data();
    void settingAValueChangesOnlyIt();
    void unchangedFileKeepsItsBytes();
    void lineBreaksCannotBeStored();
    void missingFileIsEmptyButUnreadableIsNot();
};

void IniFileTest::valuesAreRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<OptionalBytes>("value");

    const QByteArray file = "; comment=1\r\n"
                            "top=before any section\r\n"
                            "[ComPort1]\r\n"
                            "Port=COM3\r\n"
                            "  BaudRate  =   19200   \r\n"
                            "# Parity=Odd\r\n"
                            "Parity\r\n"
                            "Quoted=\" spaced \"\r\n"
                            "Single='x'\r\n"
                            "Half=\"x\r\n"
                            "Empty=\r\n"
                            "Equals=a=b\r\n"
                            "Port=COM9\r\n"
                            "[ Other ]\n"
                            "Port=COM4\n"
                            "[comport1]\n"
                            "Late=1";
    const auto row = [&](const char* name, const char* section, const char* key, OptionalBytes value) {
        QTest::newRow(name) << file << QByteArray(section) << QByteArray(key) << value;
    };
    row("plain", "ComPort1", "Port", "COM3");
    row("names ignore case", "COMPORT1", "port", "COM3");
    row("blanks around key and value", "ComPort1", "BaudRate", "19200");
    row("comment is no key", "ComPort1", "# Parity", std::nullopt);
    row("line without equals is no key", "ComPort1", "Parity", std::nullopt);
    row("quotes come off", "ComPort1", "Quoted", " spaced ");
    row("single quotes too", "ComPort1", "Single", "x");
    row("one quote stays", "ComPort1", "Half", "\"x");
    row("empty value", "ComPort1", "Empty", "");
    row("value may hold equals", "ComPort1", "Equals", "a=b");
    row("blanks around section name", "Other", "Port", "COM4");
    row("first section of a name wins", "ComPort1", "Late", std::nullopt);
    row("key before any section", "", "top", std::nullopt);
    row("missing section", "ComPort2", "Port", std::nullopt);
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[ComPort1]\nPort=COM2\n") << QByteArray("ComPort1")
                                     << QByteArray("Port") << OptionalBytes("COM2");
    QTest::newRow("UTF-8 byte like a blank") << QByteArray("[s]\nk=\xC3\xA0\n") << QByteArray("s")
                                             << QByteArray("k") << OptionalBytes("\xC3\xA0");
}

void IniFileTest::valuesAreRead()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(OptionalBytes, value);
    QCOMPARE(IniFile(file).Value(section, key), value);
}

void IniFileTest::settingAValueChangesOnlyIt_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray odd = "; mine\r\n\r\n[Other]\r\nPort = ttyS1 \r\n\r\n[comport1]\r\n  port = COM1  \r\n"
                           "Keep=1\r\n\r\n; end\r\n";
    QTest::newRow("replaced in place, spacing kept")
        << odd << QByteArray("Port") << QByteArray("ttyUSB0")
        << QByteArray("; mine\r\n\r\n[Other]\r\nPort = ttyS1 \r\n\r\n[comport1]\r\n  port = ttyUSB0  \r\n"
                      "Keep=1\r\n\r\n; end\r\n");
    QTest::newRow("new key after the section's last key")
        << odd << QByteArray("BaudRate") << QByteArray("9600")
        << QByteArray("; mine\r\n\r\n[Other]\r\nPort = ttyS1 \r\n\r\n[comport1]\r\n  port = COM1  \r\n"
                      "Keep=1\r\nBaudRate=9600\r\n\r\n; end\r\n");
    QTest::newRow("new section after a blank line, LF kept")
        << QByteArray("[Other]\nA=1\n") << QByteArray("Port") << QByteArray("COM1")
        << QByteArray("[Other]\nA=1\n\n[ComPort1]\nPort=COM1\n");
    QTest::newRow("last line without its end") << QByteArray("[ComPort1]\nA=1") << QByteArray("Port")
                                               << QByteArray("COM1") << QByteArray("[ComPort1]\nA=1\nPort=COM1\n");
    QTest::newRow("new file in CR LF") << QByteArray() << QByteArray("Port") << QByteArray("COM1")
                                       << QByteArray("[ComPort1]\r\nPort=COM1\r\n");
    QTest::newRow("equal quoted value untouched") << QByteArray("[ComPort1]\nPort = \"COM1\"\n") << QByteArray("Port")
                                                  << QByteArray("COM1") << QByteArray("[ComPort1]\nPort = \"COM1\"\n");
    QTest::newRow("blanks kept by quotes") << QByteArray("[ComPort1]\nPort=x\n") << QByteArray("Port")
                                           << QByteArray(" a ") << QByteArray("[ComPort1]\nPort=\" a \"\n");
    QTest::newRow("empty value") << QByteArray("[ComPort1]\nPort=x \n") << QByteArray("Port") << QByteArray()
                                 << QByteArray("[ComPort1]\nPort= \n");
    QTest::newRow("after a byte order mark") << QByteArray("\xEF\xBB\xBF[ComPort1]\nPort=x\n") << QByteArray("Port")
                                             << QByteArray("y") << QByteArray("\xEF\xBB\xBF[ComPort1]\nPort=y\n");
}

void IniFileTest::settingAValueChangesOnlyIt()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);
    IniFile ini(before);
    QVERIFY(ini.SetValue("ComPort1", key, value));
    QCOMPARE(ini.Content(), after);
    QCOMPARE(IniFile(after).Value("ComPort1", key), value);
}

void IniFileTest::unchangedFileKeepsItsBytes()
{
    const QList<QByteArray> files = {"", "\n", "\r\n\r\n", "a", "[x]\r\r\nk=v\r", "[x]\nk=v\n\n\n",
                                     QByteArray("\0[x]\0\nk=\0", 10)};
    for (const QByteArray& file : files) {
        QCOMPARE(IniFile(file).Content(), file);
        IniFile ini(file);
        if (const OptionalBytes value = ini.Value("x", "k")) {
            QVERIFY(ini.SetValue("x", "k", *value));
            QCOMPARE(ini.Content(), file);
        }
    }
}

void IniFileTest::lineBreaksCannotBeStored()
{
    IniFile ini("[ComPort1]\nPort=COM1\n");
    QVERIFY(!ini.SetValue("ComPort1", "Port", "COM1\nBaudRate=110"));
    QVERIFY(!ini.SetValue("Com]Port1", "Port", "COM1"));
    QVERIFY(!ini.SetValue("ComPort1", "Po=rt", "COM1"));
    QCOMPARE(ini.Content(), QByteArray("[ComPort1]\nPort=COM1\n"));
    // A lone CR is no line end; it is stored and read back.
    QVERIFY(ini.SetValue("ComPort1", "Port", "a\rb\r"));
    QCOMPARE(IniFile(ini.Content()).Value("ComPort1", "Port"), QByteArray("a\rb\r"));
}

void IniFileTest::missingFileIsEmptyButUnreadableIsNot()
{
    QTemporaryDir dir;
    const std::optional<IniFile> missing = IniFile::Load(dir.filePath(QStringLiteral("none.ini")));
    QVERIFY(missing);
    QCOMPARE(missing->Content(), QByteArray());
    int error = 0;
    QVERIFY(!IniFile::Load(dir.path(), &error));
    QCOMPARE(error, EISDIR);
    QVERIFY(!IniFile::Load(QStringLiteral("/dev/zero"), &error));
    QCOMPARE(error, kFileTooLarge);
}

QTEST_MAIN(IniFileTest)
#include "tst_inifile.moc"
