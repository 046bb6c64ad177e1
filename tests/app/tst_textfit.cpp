// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ComSetup.h"
#include "files/Translations.h"
#include "support/PanelFixture.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyleOption>
#include <QTabBar>
#include <QTranslator>
#include <QtTest>

namespace {

// The room a control leaves for its text, as its style lays it out.
int TextRoom(QWidget* widget)
{
    QStyle* style = widget->style();
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    }
    if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(widget);
        const bool check = qobject_cast<QCheckBox*>(widget);
        return style->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents,
                                     &option, widget).width();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        const QMargins margins = edit->textMargins();
        constexpr int kLineEditMargin = 2; // QLineEdit's own, each side
        return style->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - margins.left()
            - margins.right() - 2 * kLineEditMargin;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width() - 2;
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        QStyleOptionSpinBox option;
        option.initFrom(spin);
        option.frame = spin->hasFrame();
        option.buttonSymbols = spin->buttonSymbols();
        option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp
            | QStyle::SC_SpinBoxDown;
        return style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, spin).width() - 4;
    }
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->width() - 2 * style->pixelMetric(QStyle::PM_LayoutLeftMargin);
    if (auto* led = qobject_cast<TLEDLabel*>(widget))
        return led->TextRect().width();
    return widget->contentsRect().width();
}

QString TextOf(QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->wordWrap() ? QString() : label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text().isEmpty() ? edit->placeholderText() : edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText().isEmpty() ? combo->placeholderText() : combo->currentText();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
        return spin->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->title();
    if (auto* led = qobject_cast<TLEDLabel*>(widget))
        return led->Caption();
    return QString();
}

// Every line of a text must fit, with the mnemonic's ampersand taken out.
QStringList Overflows(QWidget* root)
{
    QStringList overflows;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const QString text = TextOf(widget);
        if (text.isEmpty() || widget->inherits("QTabBar"))
            continue;
        const QFontMetrics metrics(widget->font());
        const int room = TextRoom(widget);
        for (QString line : text.split(QLatin1Char('\n'))) {
            line.remove(QRegularExpression(QStringLiteral("&(?!&)")));
            const int needed = metrics.horizontalAdvance(line);
            if (needed > room)
                overflows << QStringLiteral("%1 \"%2\": %3 px in %4").arg(widget->objectName(), line).arg(needed).arg(room);
        }
    }
    return overflows;
}

// The program's translation for a language while it lives; English, the
// language of the texts in the code, needs none.
class Language {
public:
    explicit Language(const QString& language)
    {
        if (language == QLatin1String("en"))
            return;
        bool loaded = false;
        for (const QString& folder : TranslationFolders())
            loaded = loaded || translator_.load(QStringLiteral("whirlbeam_") + language, folder);
        if (!loaded)
            qFatal("no translation whirlbeam_%s.qm in %s", qPrintable(language), qPrintable(TranslationFolders().join(", ")));
        QCoreApplication::installTranslator(&translator_);
    }
    ~Language() { QCoreApplication::removeTranslator(&translator_); }

private:
    QTranslator translator_;
};

void AddLanguages()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en";
    QTest::newRow("German") << "de";
}

} // namespace

// Every text of the window, at start-up and as the clock's replies set it,
// fits its control in the window's own font, in English and in German.
class TextFitTest : public QObject {
    Q_OBJECT

private slots:
    void startUpTextsFit_data() { AddLanguages(); }
    void startUpTextsFit();
    void repliedTextsFit_data();
    void repliedTextsFit();
    void allTabsShowWhole_data();
    void allTabsShowWhole();
    void setupDialogTextsFit_data() { AddLanguages(); }
    void setupDialogTextsFit();
};

void TextFitTest::startUpTextsFit()
{
    QFETCH(QString, language);
    const Language chosen(language);
    Panel p;
    const QStringList overflows = Overflows(&p.form);
    QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QStringLiteral("; "))));
}

void TextFitTest::repliedTextsFit_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("source"); // the window's own text, as the code has it
    for (const char* language : {"en", "de"}) {
        const auto row = [language](const char* control, const char* text) {
            QTest::addRow("%s %s", language, text) << language << control << text;
        };
        for (const char* text : {"Not connected", "Connected", "Clock unplugged"})
            row("StatusBar1Panel0", text);
        for (const char* text : {"Whirlbeam Clock (Serial=SIM0001)", "Device VID=04D8 PID=AB02 (Serial=123)"})
            row("DevListBox", text);
        for (const char* text : {"Whirlbeam in run mode", "Whirlbeam in sleep mode", "Whirlbeam in deap sleep mode"})
            row("StatusBar1Panel1", text);
        for (const char* text : {"Relais is on", "Relais is off"})
            row("StatusBar1Panel2", text);
        for (const char* text : {"Time is invalid", "Time is valid"})
            row("StatusBar1Panel3", text);
        row("StatusBar1Panel4", "9999");
        row("DeviceEdit", "Not a whirlbeam clock");
        row("VersionEdit", "Invalid");
    }
}

void TextFitTest::repliedTextsFit()
{
    QFETCH(QString, language);
    QFETCH(QString, control);
    QFETCH(QString, source);
    const Language chosen(language);
    const QString text = QCoreApplication::translate("TForm1", source.toUtf8().constData());
    Panel p;
    auto* widget = p.Get(qPrintable(control));
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* list = qobject_cast<QComboBox*>(widget))
        list->addItem(text);
    else
        qobject_cast<QLineEdit*>(widget)->setText(text);
    const QStringList overflows = Overflows(widget->parentWidget());
    QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QStringLiteral("; "))));
}

void TextFitTest::allTabsShowWhole_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("style");
    for (const char* language : {"en", "de"}) {
        QTest::addRow("%s default", language) << language << QString();
        QTest::addRow("%s Fusion", language) << language << "Fusion";
        QTest::addRow("%s Windows", language) << language << "Windows";
    }
}

void TextFitTest::allTabsShowWhole()
{
    QFETCH(QString, language);
    QFETCH(QString, style);
    const Language chosen(language);
    if (!style.isEmpty())
        QApplication::setStyle(style);
    Panel p;
    p.form.show();
    auto* tabs = p.Get<QTabBar>("TabControl1Tabs");
    const QFontMetrics metrics(tabs->font());
    QCOMPARE(tabs->count(), 10);
    QVERIFY2(tabs->tabRect(9).right() < tabs->width(), "the last tab ends inside the page control");
    for (int i = 0; i < tabs->count(); ++i)
        QVERIFY2(tabs->tabRect(i).width() >= metrics.horizontalAdvance(tabs->tabText(i)), qPrintable(tabs->tabText(i)));
    for (QWidget* arrow : tabs->findChildren<QWidget*>())
        QVERIFY2(!arrow->isVisible(), "no scroll arrows");
}

// The serial Setup dialog, with every item of each list shown in turn.
void TextFitTest::setupDialogTextsFit()
{
    QFETCH(QString, language);
    const Language chosen(language);
    TComSelect::SetPortLister([] { return QStringList{"ttyS0", "ttyUSB10", "ttyACM0", "rfcomm0"}; });
    const auto machineList = qScopeGuard([] { TComSelect::SetPortLister({}); });
    TComSetupFrm dialog;
    for (TComComboBox* combo : dialog.Combos()) {
        for (int i = 0; i < combo->count(); ++i) {
            combo->setCurrentIndex(i);
            const QStringList overflows = Overflows(&dialog);
            QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QStringLiteral("; "))));
        }
    }
}

QTEST_MAIN(TextFitTest)
#include "tst_textfit.moc"
