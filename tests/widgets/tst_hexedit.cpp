// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/HexEdits.h"

#include <QClipboard>
#include <QMetaEnum>
#include <QtTest>

Q_DECLARE_METATYPE(THexEdit::TEditBase)

namespace {

// One step done to the edit, written "type:2g", "paste:1F", "backspace",
// "delete", "cut", "leave", "value:-5" or "base:ebBin"; "insert:g" stands
// for text that arrives without keys (dropped, middle button, input method).
void Perform(THexEdit& edit, const QString& step)
{
    const QString verb = step.section(u':', 0, 0);
    const QString argument = step.section(u':', 1);
    if (verb == u"type") {
        QTest::keyClicks(&edit, argument);
    } else if (verb == u"paste") {
        QGuiApplication::clipboard()->setText(argument);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    } else if (verb == u"shiftinsert") {
        QGuiApplication::clipboard()->setText(argument);
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (verb == u"insert") {
        edit.insert(argument);
    } else if (verb == u"backspace") {
        QTest::keyClick(&edit, Qt::Key_Backspace);
    } else if (verb == u"delete") {
        QTest::keyClick(&edit, Qt::Key_Delete);
    } else if (verb == u"cut") {
        QTest::keyClick(&edit, Qt::Key_Delete, Qt::ShiftModifier);
    } else if (verb == u"leave") {
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &leave);
    } else if (verb == u"value") {
        edit.setProperty("Value", argument.toInt());
    } else if (verb == u"base") {
        edit.setProperty("NumBase", argument.toLatin1().constData());
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

} // namespace

class HexEditTest : public QObject {
    Q_OBJECT

private slots:
    void edits_data();
    void edits();
    void baseNamesInOrder();
    void focusEntrySelects();
};

void HexEditTest::edits_data()
{
    QTest::addColumn<THexEdit::TEditBase>("base");
    QTest::addColumn<int>("maxValue"); // with Validate and MinValue 0; -1: no validation
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("selStart"); // caret without selection when selLength is 0; -1: at the end
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("value");

    const auto hex = THexEdit::ebHex;
    // Typing.
    QTest::newRow("hex refuses g") << hex << -1 << "" << -1 << 0 << "type:g"
                                   << "" << 0;
    QTest::newRow("hex refuses 1g after 1") << hex << -1 << "" << -1 << 0 << "type:1g"
                                            << "1" << 1;
    QTest::newRow("hex a becomes A") << hex << -1 << "" << -1 << 0 << "type:a"
                                     << "A" << 10;
    QTest::newRow("dec refuses A") << THexEdit::ebDec << -1 << "" << -1 << 0 << "type:A"
                                   << "" << 0;
    QTest::newRow("bin refuses 2") << THexEdit::ebBin << -1 << "1" << -1 << 0 << "type:2"
                                   << "1" << 1;
    QTest::newRow("oct takes 7") << THexEdit::ebOct << -1 << "1" << -1 << 0 << "type:7"
                                 << "17" << 15;
    QTest::newRow("validate 0..31 refuses 20") << hex << 31 << "" << -1 << 0 << "type:20"
                                               << "2" << 2;
    QTest::newRow("typing replaces selection") << hex << 31 << "FF" << 0 << 2 << "type:1"
                                               << "1" << 1;
    QTest::newRow("typed at the caret") << hex << -1 << "12" << 1 << 0 << "type:a"
                                        << "1A2" << 0x1A2;
    QTest::newRow("blank refused") << hex << -1 << "1" << -1 << 0 << "type: "
                                   << "1" << 1;
    QTest::newRow("largest Value") << hex << -1 << "7FFFFFF" << -1 << 0 << "type:F"
                                   << "7FFFFFFF" << INT_MAX;
    QTest::newRow("beyond Value refused") << hex << -1 << "7FFFFFFF" << -1 << 0 << "type:0"
                                          << "7FFFFFFF" << INT_MAX;
    QTest::newRow("text without keys checked") << hex << -1 << "1" << -1 << 0 << "insert:g"
                                               << "1" << 1;
    QTest::newRow("text without keys in range") << hex << 31 << "2" << -1 << 0 << "insert:F"
                                                << "2" << 2;
    // Erasing.
    QTest::newRow("backspace") << hex << -1 << "12" << -1 << 0 << "backspace"
                               << "1" << 1;
    QTest::newRow("delete at start") << hex << -1 << "12" << 0 << 0 << "delete"
                                     << "2" << 2;
    QTest::newRow("cut selection") << hex << -1 << "123" << 1 << 1 << "cut"
                                   << "13" << 0x13;
    QTest::newRow("backspace below minimum refused") << hex << -2 << "10" << -1 << 0 << "backspace"
                                                     << "10" << 16;
    // Pasting: the selection stays in the checked text.
    QTest::newRow("paste 1F after 2") << hex << -1 << "2" << -1 << 0 << "paste:1F"
                                      << "21F" << 0x21F;
    QTest::newRow("paste xyz") << hex << -1 << "2" << -1 << 0 << "paste:xyz"
                               << "2" << 2;
    QTest::newRow("paste lower case") << hex << -1 << "2" << -1 << 0 << "paste:1f"
                                      << "2" << 2;
    QTest::newRow("shift insert pastes") << hex << -1 << "2" << -1 << 0 << "shiftinsert:3"
                                         << "23" << 0x23;
    QTest::newRow("paste over selection") << hex << -1 << "FF" << 0 << 2 << "paste:1"
                                          << "1" << 1;
    QTest::newRow("paste checked with selection kept") << hex << 255 << "FF" << 0 << 2 << "paste:1"
                                                       << "FF" << 255;
    QTest::newRow("paste with selection in range") << hex << 255 << "1" << 0 << 1 << "paste:F"
                                                   << "F" << 15;
    // Leaving and writing.
    QTest::newRow("leave 007") << hex << -1 << "007" << -1 << 0 << "leave"
                               << "7" << 7;
    QTest::newRow("leave empty") << hex << -1 << "" << -1 << 0 << "leave"
                                 << "0" << 0;
    QTest::newRow("leave above maximum") << hex << 31 << "1F" << -1 << 0 << "leave"
                                         << "1F" << 31;
    QTest::newRow("value -5") << hex << -1 << "1" << -1 << 0 << "value:-5"
                              << "0" << 0;
    QTest::newRow("value 300 validated") << hex << 255 << "1" << -1 << 0 << "value:300"
                                         << "FF" << 255;
    QTest::newRow("value 300 unchecked") << hex << -1 << "1" << -1 << 0 << "value:300"
                                         << "12C" << 300;
    QTest::newRow("hex A to bin") << hex << -1 << "A" << -1 << 0 << "base:ebBin"
                                  << "1010" << 10;
    QTest::newRow("bin to oct") << THexEdit::ebBin << -1 << "1010" << -1 << 0 << "base:ebOct"
                                << "12" << 10;
}

void HexEditTest::edits()
{
    QFETCH(THexEdit::TEditBase, base);
    QFETCH(int, maxValue);
    QFETCH(QString, start);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, step);
    QFETCH(QString, shown);
    QFETCH(int, value);

    THexEdit edit;
    edit.SetNumBase(base);
    edit.setText(start);
    if (maxValue != -1) {
        // -2 stands for a range 16..255, where erasing can fall below the minimum.
        edit.SetMaxValue(maxValue == -2 ? 255 : maxValue);
        edit.SetMinValue(maxValue == -2 ? 16 : 0);
        edit.SetValidate(true);
        edit.setText(start);
    }
    if (selLength > 0)
        edit.setSelection(selStart, selLength);
    else
        edit.setCursorPosition(selStart < 0 ? int(start.size()) : selStart);

    Perform(edit, step);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.property("Value").toInt(), value);
}

void HexEditTest::baseNamesInOrder()
{
    const QMetaEnum bases = QMetaEnum::fromType<THexEdit::TEditBase>();
    QCOMPARE(bases.keyCount(), 4);
    for (const auto& [index, name] : {std::pair{0, "ebHex"}, {1, "ebDec"}, {2, "ebOct"}, {3, "ebBin"}})
        QCOMPARE(bases.key(index), name);
    THexEdit edit;
    QCOMPARE(edit.property("NumBase").value<THexEdit::TEditBase>(), THexEdit::ebHex);
    QCOMPARE(edit.text(), QStringLiteral("0"));
    for (const char* name : {"MinValue", "MaxValue", "Validate", "AutoSelect"})
        QVERIFY(edit.metaObject()->indexOfProperty(name) >= 0);
}

void HexEditTest::focusEntrySelects()
{
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* edit = new THexEdit(&window);
    edit->setText(QStringLiteral("1F"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), QStringLiteral("1F"));
    edit->SetAutoSelect(false);
    QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(!edit->hasSelectedText());
}

QTEST_MAIN(HexEditTest)
#include "tst_hexedit.moc"
