// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Spin.h"

#include <QAccessible>
#include <QClipboard>
#include <QFontDatabase>
#include <QMenu>
#include <QSignalSpy>
#include <QStyleOption>
#include <QtTest>

#include <climits>
#include <stdexcept>

namespace {

class ProbeSpinEdit : public TSpinEdit {
public:
    using QLineEdit::cursorRect;
    using QLineEdit::initStyleOption;
    using TSpinEdit::TSpinEdit;
    int Beeps = 0;

protected:
    void WarningBeep() override { ++Beeps; }
};

bool ShowActive(QWidget& window)
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

// Replays a hold on a virtual clock: a tick whenever the button's current interval
// has run out, exactly as its timer would fire.
void HoldFor(TTimerSpeedButton* button, int holdMs)
{
    QTest::mousePress(button, Qt::LeftButton);
    for (int clock = button->RepeatTimerInterval(); clock <= holdMs; clock += button->RepeatTimerInterval())
        button->RepeatTick();
    QTest::mouseRelease(button, Qt::LeftButton);
}

void SendFocus(QWidget* widget, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent event(type, reason);
    QApplication::sendEvent(widget, &event);
}

enum class Step { Write, Up, Down, UpKey, DownKey, UpButton, DownButton };

void Perform(TSpinEdit& edit, Step step, int written = 0)
{
    switch (step) {
    case Step::Write:
        edit.SetValue(written);
        break;
    case Step::Up:
        edit.UpClick();
        break;
    case Step::Down:
        edit.DownClick();
        break;
    case Step::UpKey:
        QTest::keyClick(&edit, Qt::Key_Up);
        break;
    case Step::DownKey:
        QTest::keyClick(&edit, Qt::Key_Down);
        break;
    case Step::UpButton:
        QTest::mouseClick(edit.Button()->UpButton(), Qt::LeftButton);
        break;
    case Step::DownButton:
        QTest::mouseClick(edit.Button()->DownButton(), Qt::LeftButton);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Step)

class TestSpin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void valueReads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "42" << 42;
        QTest::newRow("leading blanks and sign") << "  -17" << -17;
        QTest::newRow("plus sign") << "+7" << 7;
        QTest::newRow("dollar hex") << "$1F" << 31;
        QTest::newRow("x hex") << "x10" << 16;
        QTest::newRow("X hex, negative") << "-X10" << -16;
        QTest::newRow("hex is a 32-bit pattern") << "$FFFFFFFF" << -1;
        QTest::newRow("lowest int") << "-2147483648" << INT_MIN;
        QTest::newRow("above int") << "2147483648" << -3;
        QTest::newRow("too many hex digits") << "$100000000" << -3;
        QTest::newRow("empty") << "" << -3;
        QTest::newRow("sign only") << "-" << -3;
        QTest::newRow("prefix only") << "$" << -3;
        QTest::newRow("trailing blank") << "5 " << -3;
        QTest::newRow("blank after sign") << "- 5" << -3;
        QTest::newRow("C hex prefix") << "0x10" << -3;
        QTest::newRow("decimal point") << "1.5" << -3;
        QTest::newRow("letters") << "abc" << -3;
    }
    void valueReads()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        TSpinEdit edit;
        edit.SetMinValue(-3);
        edit.SetMaxValue(3);
        edit.setText(text);
        QCOMPARE(edit.Value(), expected);
    }

    void steps_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("start");
        QTest::addColumn<Step>("step");
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no bounds when min = max") << 0 << 0 << "0" << Step::Write << -7 << "-7";
        QTest::newRow("write above max") << -10 << 10 << "0" << Step::Write << 25 << "10";
        QTest::newRow("write below min") << -10 << 10 << "0" << Step::Write << -11 << "-10";
        QTest::newRow("up at max stays") << -10 << 10 << "10" << Step::Up << 0 << "10";
        QTest::newRow("down at min stays") << -10 << 10 << "-10" << Step::Down << 0 << "-10";
        QTest::newRow("up steps") << 0 << 255 << "7" << Step::Up << 0 << "8";
        QTest::newRow("up key steps") << 0 << 255 << "7" << Step::UpKey << 0 << "8";
        QTest::newRow("down key steps") << 0 << 255 << "7" << Step::DownKey << 0 << "6";
        QTest::newRow("up button steps") << 0 << 255 << "7" << Step::UpButton << 0 << "8";
        QTest::newRow("down button steps") << 0 << 255 << "7" << Step::DownButton << 0 << "6";
        QTest::newRow("up from no number starts at min") << 5 << 9 << "abc" << Step::Up << 0 << "6";
        QTest::newRow("unbounded up saturates") << 0 << 0 << "2147483647" << Step::Up << 0 << "2147483647";
    }
    void steps()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QString, start);
        QFETCH(Step, step);
        QFETCH(int, written);
        QFETCH(QString, expected);
        TSpinEdit edit;
        edit.SetMinValue(min);
        edit.SetMaxValue(max);
        edit.setText(start);
        Perform(edit, step, written);
        QCOMPARE(edit.text(), expected);
    }

    void readOnlyOnlyBeeps_data()
    {
        QTest::addColumn<Step>("step");
        QTest::newRow("up") << Step::Up;
        QTest::newRow("down") << Step::Down;
        QTest::newRow("up key") << Step::UpKey;
        QTest::newRow("down key") << Step::DownKey;
        QTest::newRow("up button") << Step::UpButton;
        QTest::newRow("down button") << Step::DownButton;
    }
    void readOnlyOnlyBeeps()
    {
        QFETCH(Step, step);
        ProbeSpinEdit edit;
        edit.setText("5");
        edit.setReadOnly(true);
        Perform(edit, step);
        QCOMPARE(edit.text(), "5");
        QCOMPARE(edit.Beeps, 1);
    }

    void onChangeOnlyWhenTextChanges()
    {
        TSpinEdit edit;
        QSignalSpy changes(&edit, &TSpinEdit::OnChange);
        edit.SetValue(5);
        edit.SetValue(5);
        QTest::keyClicks(&edit, "1");
        QCOMPARE(changes.count(), 2);
    }

    // A poll that brings the value the edit shows must not move the caret
    // of a user who is typing in it.
    void sameValueLeavesTheCaret()
    {
        TSpinEdit edit;
        edit.SetValue(42);
        edit.setCursorPosition(1);
        edit.SetValue(42);
        QCOMPARE(edit.cursorPosition(), 1);
        edit.SetValue(43);
        QCOMPARE(edit.text(), QStringLiteral("43"));
    }

    void typing_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("letter refused") << "" << true << "12a"
                                        << "12" << 1;
        QTest::newRow("enter beeps") << "12" << true << "\r"
                                     << "12" << 1;
        QTest::newRow("signs and decimal point") << "" << true << "-1.5+"
                                                 << "-1.5+" << 0;
        QTest::newRow("range not checked while typing") << "" << true << "300"
                                                        << "300" << 0;
        QTest::newRow("backspace") << "42" << true << "\b"
                                   << "4" << 0;
        QTest::newRow("editor off refuses digits") << "42" << false << "5"
                                                   << "42" << 1;
        QTest::newRow("editor off refuses backspace") << "42" << false << "\b"
                                                      << "42" << 1;
    }
    void typing()
    {
        QFETCH(QString, initial);
        QFETCH(bool, editorEnabled);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(int, beeps);
        ProbeSpinEdit edit;
        edit.setText(initial);
        edit.SetEditorEnabled(editorEnabled);
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), expected);
        QCOMPARE(edit.Beeps, beeps);
    }

    void pasteAndCut_data()
    {
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("expected");
        const QKeySequence paste(QKeySequence::Paste);
        const QKeySequence cut(QKeySequence::Cut);
        QTest::newRow("paste is not filtered") << true << false << paste << "abc";
        QTest::newRow("paste, editor off") << false << false << paste << "42";
        QTest::newRow("paste, read-only") << true << true << paste << "42";
        QTest::newRow("cut") << true << false << cut << "";
        QTest::newRow("cut, editor off") << false << false << cut << "42";
    }
    void pasteAndCut()
    {
        QFETCH(bool, editorEnabled);
        QFETCH(bool, readOnly);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, expected);
        QGuiApplication::clipboard()->setText("abc");
        TSpinEdit edit;
        edit.SetMinValue(3);
        edit.setText("42");
        edit.selectAll();
        edit.SetEditorEnabled(editorEnabled);
        edit.setReadOnly(readOnly);
        QTest::keySequence(&edit, keys);
        QCOMPARE(edit.text(), expected);
        if (expected == "abc")
            QCOMPARE(edit.Value(), 3);
    }

    void contextMenuFollowsPasteRule_data()
    {
        QTest::addColumn<bool>("editorEnabled");
        QTest::newRow("editor on") << true;
        QTest::newRow("editor off") << false;
    }
    void contextMenuFollowsPasteRule()
    {
        QFETCH(bool, editorEnabled);
        QGuiApplication::clipboard()->setText("abc");
        TSpinEdit edit;
        edit.selectAll();
        edit.SetEditorEnabled(editorEnabled);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), edit.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&edit, &event);
        auto* menu = edit.findChild<QMenu*>();
        QVERIFY(menu);
        int checked = 0;
        for (QAction* action : menu->actions()) {
            const QString caption = action->text().section('\t', 0, 0);
            if (caption == QLineEdit::tr("Cu&t") || caption == QLineEdit::tr("&Paste")) {
                QCOMPARE(action->isEnabled(), editorEnabled);
                ++checked;
            }
        }
        QCOMPARE(checked, 2);
        menu->close();
    }

    void leaving_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<QString>("expected");
        QTest::newRow("above range pulled in") << 0 << 255 << "300" << Qt::TabFocusReason << "255";
        QTest::newRow("below range pulled in") << -10 << 10 << "-11" << Qt::MouseFocusReason << "-10";
        QTest::newRow("sign only stays") << -10 << 10 << "-" << Qt::TabFocusReason << "-";
        QTest::newRow("hex in range stays") << 0 << 255 << "$1F" << Qt::TabFocusReason << "$1F";
        QTest::newRow("hex above range rewritten") << 0 << 255 << "$1FF" << Qt::TabFocusReason << "255";
        QTest::newRow("no bounds") << 0 << 0 << "300" << Qt::TabFocusReason << "300";
        QTest::newRow("window switch is no leave")
            << 0 << 255 << "300" << Qt::ActiveWindowFocusReason << "300";
        QTest::newRow("popup is no leave") << 0 << 255 << "300" << Qt::PopupFocusReason << "300";
    }
    void leaving()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QString, text);
        QFETCH(Qt::FocusReason, reason);
        QFETCH(QString, expected);
        TSpinEdit edit;
        edit.SetMinValue(min);
        edit.SetMaxValue(max);
        edit.setText(text);
        SendFocus(&edit, QEvent::FocusOut, reason);
        QCOMPARE(edit.text(), expected);
        if (text == "-")
            QCOMPARE(edit.Value(), min);
    }

    void entering_data()
    {
        QTest::addColumn<bool>("autoSelect");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("allSelected");
        QTest::newRow("tab") << true << "tab" << true;
        QTest::newRow("tab, auto-select off") << false << "tab" << false;
        QTest::newRow("click on the text") << true << "text" << false;
        QTest::newRow("press on a spin button") << true << "button" << true;
    }
    void entering()
    {
        QFETCH(bool, autoSelect);
        QFETCH(QString, how);
        QFETCH(bool, allSelected);
        QWidget window;
        auto* other = new QLineEdit(&window);
        auto* edit = new TSpinEdit(&window);
        edit->setGeometry(0, 40, 80, 24);
        edit->setText("123");
        edit->SetAutoSelect(autoSelect);
        QVERIFY(ShowActive(window));
        other->setFocus();
        if (how == "tab")
            edit->setFocus(Qt::TabFocusReason);
        else if (how == "text")
            QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(8, edit->height() / 2));
        else
            QTest::mousePress(edit->Button()->UpButton(), Qt::LeftButton);
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText() == "123", allSelected);
    }

    void holdRepeats_data()
    {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<int>("steps");
        QTest::newRow("short click") << 100 << 1;
        QTest::newRow("just before the first repeat") << 399 << 1;
        QTest::newRow("first repeat") << 400 << 2;
        QTest::newRow("1.05 s") << 1050 << 8;
        QTest::newRow("1.1 s") << 1100 << 9;
    }
    void holdRepeats()
    {
        QFETCH(int, holdMs);
        QFETCH(int, steps);
        TSpinEdit edit;
        HoldFor(edit.Button()->UpButton(), holdMs);
        QCOMPARE(edit.Value(), steps);
    }

    void repeatTimerMadeOnFirstPress()
    {
        TSpinEdit edit;
        auto* up = edit.Button()->UpButton();
        QVERIFY(edit.findChildren<QTimer*>().isEmpty());
        QTest::mousePress(up, Qt::LeftButton);
        QVERIFY(up->Repeating());
        QCOMPARE(up->RepeatTimerInterval(), TTimerSpeedButton::kFirstRepeatDelay);
        up->RepeatTick();
        QCOMPARE(up->RepeatTimerInterval(), TTimerSpeedButton::kRepeatInterval);
        QTest::mouseRelease(up, Qt::LeftButton);
        QVERIFY(!up->Repeating());
    }

    void draggedOffPausesAndSkipsReleaseClick()
    {
        TSpinEdit edit;
        auto* up = edit.Button()->UpButton();
        const QPoint outside(-20, -20);
        QTest::mousePress(up, Qt::LeftButton);
        up->RepeatTick();
        QTest::mouseMove(up, outside);
        up->RepeatTick();
        QTest::mouseMove(up, up->rect().center());
        up->RepeatTick();
        QTest::mouseMove(up, outside);
        QTest::mouseRelease(up, Qt::LeftButton, {}, outside);
        QCOMPARE(edit.Value(), 2);
    }

    void realTimerRepeats()
    {
        TSpinEdit edit;
        auto* down = edit.Button()->DownButton();
        QTest::mousePress(down, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(edit.Value() <= -2, 5000);
        QTest::mouseRelease(down, Qt::LeftButton);
    }

    void failingClickStopsRepeat()
    {
        TSpinButton spin;
        auto* up = spin.UpButton();
        const auto failing
            = connect(&spin, &TSpinButton::OnUpClick, [] { throw std::runtime_error("step failed"); });
        QTest::mousePress(up, Qt::LeftButton);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, up->RepeatTick());
        QVERIFY(!up->Repeating());
        disconnect(failing);
        QTest::mouseRelease(up, Qt::LeftButton);
    }

    void spinButtonLayout_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("up");
        QTest::addColumn<QRect>("down");
        QTest::newRow("even height") << QSize(15, 16) << QRect(0, 0, 15, 8) << QRect(0, 7, 15, 9);
        QTest::newRow("odd height") << QSize(20, 25) << QRect(0, 0, 20, 12) << QRect(0, 11, 20, 14);
        QTest::newRow("too narrow") << QSize(10, 16) << QRect(0, 0, 15, 8) << QRect(0, 7, 15, 9);
    }
    void spinButtonLayout()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, up);
        QFETCH(QRect, down);
        QWidget window;
        auto* spin = new TSpinButton(&window);
        spin->setGeometry(QRect(QPoint(0, 0), size));
        window.show();
        QCOMPARE(spin->UpButton()->geometry(), up);
        QCOMPARE(spin->DownButton()->geometry(), down);
    }

    void spinEditLayout_data()
    {
        QTest::addColumn<bool>("frame");
        QTest::addColumn<QSize>("size");
        QTest::newRow("framed, main window size") << true << QSize(41, 24);
        QTest::newRow("framed, wide and tall") << true << QSize(120, 40);
        QTest::newRow("frameless") << false << QSize(41, 24);
    }
    void spinEditLayout()
    {
        QFETCH(bool, frame);
        QFETCH(QSize, size);
        QWidget window;
        auto* edit = new ProbeSpinEdit(&window);
        edit->setFrame(frame);
        edit->setGeometry(QRect(QPoint(0, 0), size));
        window.show();
        QStyleOptionFrame option;
        edit->initStyleOption(&option);
        const int w = size.width();
        const int h = size.height();
        const QRect inFrame = frame ? QRect(w - 20, 0, 15, h - 5) : QRect(w - 15, 1, 15, h - 3);
        QCOMPARE(edit->Button()->geometry(), inFrame.translated(option.lineWidth, option.lineWidth));
    }

    void textStopsBeforeButtons()
    {
        QWidget window;
        auto* edit = new ProbeSpinEdit(&window);
        edit->setGeometry(0, 0, 41, 24);
        window.show();
        edit->setText("1234567890123");
        edit->end(false);
        (void)edit->grab(); // QLineEdit scrolls its text only while painting
        QVERIFY2(edit->cursorRect().center().x() < edit->Button()->x(), "caret runs under the buttons");
    }

    void minimumHeight_data()
    {
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("small font") << 9;
        QTest::newRow("large font") << 30;
    }
    void minimumHeight()
    {
        QFETCH(int, pixelSize);
        QWidget window;
        auto* edit = new TSpinEdit(&window);
        QFont font = edit->font();
        font.setPixelSize(pixelSize);
        edit->setFont(font);
        edit->setGeometry(0, 0, 41, 5);
        const int own = QFontMetrics(font).height();
        const int system = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
        QCOMPARE(edit->height(), 4 + own + std::min(own, system) / 4 + 2);
    }

    void spinButtonKeyboard()
    {
        TSpinButton spin;
        QSignalSpy ups(&spin, &TSpinButton::OnUpClick);
        QSignalSpy downs(&spin, &TSpinButton::OnDownClick);
        QCOMPARE(spin.FocusedButton(), spin.UpButton());
        QTest::keyClick(&spin, Qt::Key_Space);
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.FocusedButton(), spin.DownButton());
        QTest::keyClick(&spin, Qt::Key_Space);
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(ups.count(), 2);
        QCOMPARE(downs.count(), 2);
    }

    void focusRectFollowsMarkAndFocus()
    {
        QWidget window;
        auto* other = new QLineEdit(&window);
        auto* spin = new TSpinButton(&window);
        spin->move(0, 40);
        QVERIFY(ShowActive(window));
        QTest::mousePress(spin->DownButton(), Qt::LeftButton);
        QVERIFY(spin->hasFocus());
        QVERIFY(spin->DownButton()->FocusRectShown());
        QVERIFY(!spin->UpButton()->FocusRectShown());
        QTest::mouseRelease(spin->DownButton(), Qt::LeftButton);
        QTest::keyClick(spin, Qt::Key_Up);
        QVERIFY(spin->UpButton()->FocusRectShown());
        QVERIFY(!spin->DownButton()->FocusRectShown());
        other->setFocus();
        QVERIFY(!spin->UpButton()->FocusRectShown());
    }

    // Under a dark palette the arrows must not stay black on dark buttons.
    void arrowsTakeThePalettesButtonText()
    {
        TSpinButton buttons;
        QPalette dark(QColor(230, 230, 230), QColor(43, 43, 43));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        buttons.setPalette(dark);
        buttons.resize(15, 21);
        const QImage shot = buttons.grab().toImage();
        int inked = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                inked += shot.pixelColor(x, y) == dark.color(QPalette::ButtonText);
        QVERIFY2(inked >= 2 * 9, "both arrows drawn in the button text colour");
        QCOMPARE(buttons.UpGlyph().size(), QSize(9, 6));
    }

    // A reader hears a spin box with a value and range, as QSpinBox gives them,
    // and can step it.
    void spokenAsASpinBox_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("stepped");
        QTest::newRow("offset at its top") << -10 << 10 << 1 << -10 << 10 << 10;
        QTest::newRow("no bounds") << 0 << 0 << 5 << INT_MIN << INT_MAX << 15;
    }
    void spokenAsASpinBox()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, step);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        QFETCH(int, stepped);
        TSpinEdit edit;
        edit.SetMinValue(min);
        edit.SetMaxValue(max);
        edit.SetIncrement(step);
        edit.SetValue(10);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&edit);
        QCOMPARE(spoken->role(), QAccessible::SpinBox);
        QAccessibleValueInterface* value = spoken->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), 10);
        QCOMPARE(value->minimumValue().toInt(), lowest);
        QCOMPARE(value->maximumValue().toInt(), highest);
        QCOMPARE(value->minimumStepSize().toInt(), step);
        QCOMPARE(spoken->textInterface()->text(0, 2), QStringLiteral("10"));
        spoken->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(edit.Value(), stepped);
    }

    // What a reader writes into the edit is pasted text, taken where pasting is.
    void readerWritesOnlyWherePastingIs_data()
    {
        QTest::addColumn<bool>("editor");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("text");
        QTest::newRow("editable") << true << false << "712";
        QTest::newRow("editor off") << false << false << "12";
        QTest::newRow("read-only") << true << true << "12";
    }
    void readerWritesOnlyWherePastingIs()
    {
        QFETCH(bool, editor);
        QFETCH(bool, readOnly);
        QFETCH(QString, text);
        TSpinEdit edit;
        edit.SetValue(12);
        edit.SetEditorEnabled(editor);
        edit.setReadOnly(readOnly);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&edit);
        QCOMPARE(spoken->state().editable, editor && !readOnly);
        spoken->editableTextInterface()->insertText(0, QStringLiteral("7"));
        QCOMPARE(edit.text(), text);
    }
};

QTEST_MAIN(TestSpin)
#include "tst_spin.moc"
