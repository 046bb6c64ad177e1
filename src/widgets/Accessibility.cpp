// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Accessibility.h"

#include "widgets/LED.h"
#include "widgets/MavoTrend.h"
#include "widgets/Spin.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>

#include <climits>
#include <vector>

namespace {

// ---- Lamps ------------------------------------------------------------------

QString ColorName(TLEDColor color)
{
    switch (color) {
    case lcRed:
        return QCoreApplication::translate("TLED", "red");
    case lcGreen:
        return QCoreApplication::translate("TLED", "green");
    case lcYellow:
        return QCoreApplication::translate("TLED", "yellow");
    case lcBlue:
        return QCoreApplication::translate("TLED", "blue");
    case lcPurple:
        return QCoreApplication::translate("TLED", "purple");
    case lcWhite:
        break;
    }
    return QCoreApplication::translate("TLED", "white");
}

// A check box that is checked while the lamp is lit and that nobody can
// tick, like the panel's own disabled status boxes; a reader knows how to
// say that.
class LampAccessible : public QAccessibleWidget {
public:
    explicit LampAccessible(TLED* lamp)
        : QAccessibleWidget(lamp, QAccessible::CheckBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const TLED* lamp = Lamp();
        if (t == QAccessible::Value) {
            const QString state = lamp->Lit() ? QCoreApplication::translate("TLED", "on")
                                              : QCoreApplication::translate("TLED", "off");
            if (!lamp->ColorSpoken())
                return state;
            return QCoreApplication::translate("TLED", "%1, %2").arg(state, ColorName(lamp->Color()));
        }
        if (t == QAccessible::Name) {
            QString name = QAccessibleWidget::text(t);
            if (name.isEmpty())
                if (const auto* label = qobject_cast<const TLEDLabel*>(lamp))
                    name = label->Caption();
            return name.isEmpty() ? lamp->toolTip() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Lamp()->Lit();
        s.readOnly = true;
        return s;
    }

private:
    const TLED* Lamp() const { return static_cast<const TLED*>(object()); }
};

// ---- Spin edits -------------------------------------------------------------

// A spin box with the edit's value and range, that can also be read and
// written as text the way a line edit is.
class SpinEditAccessible : public QAccessibleWidget,
                           public QAccessibleValueInterface,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit SpinEditAccessible(TSpinEdit* edit)
        : QAccessibleWidget(edit, QAccessible::SpinBox)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        switch (type) {
        case QAccessible::ValueInterface:
            return static_cast<QAccessibleValueInterface*>(this);
        case QAccessible::TextInterface:
            return static_cast<QAccessibleTextInterface*>(this);
        case QAccessible::EditableTextInterface:
            return static_cast<QAccessibleEditableTextInterface*>(this);
        default:
            return QAccessibleWidget::interface_cast(type);
        }
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? Edit()->text() : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = Edit()->isReadOnly();
        s.editable = Edit()->PasteAndCutAllowed();
        s.selectableText = true;
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == increaseAction())
            Edit()->UpClick();
        else if (action == decreaseAction())
            Edit()->DownClick();
        else
            QAccessibleWidget::doAction(action);
    }

    // Value: with equal bounds the edit has none at all.
    QVariant currentValue() const override { return Edit()->Value(); }
    void setCurrentValue(const QVariant& value) override
    {
        if (!Edit()->isReadOnly())
            Edit()->SetValue(value.toInt());
    }
    QVariant maximumValue() const override { return Bounded() ? Edit()->MaxValue() : INT_MAX; }
    QVariant minimumValue() const override { return Bounded() ? Edit()->MinValue() : INT_MIN; }
    QVariant minimumStepSize() const override { return Edit()->Increment(); }

    // Text, as the edit shows it.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && Edit()->hasSelectedText()) {
            *start = int(Edit()->selectionStart());
            *end = *start + int(Edit()->selectionLength());
        }
    }
    int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            Edit()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            Edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }
    QString text(int start, int end) const override { return Edit()->text().mid(start, end - start); }
    int characterCount() const override { return int(Edit()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const TSpinEdit* edit = Edit();
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QRect contents = edit->style()
                                   ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(edit->textMargins());
        const QFontMetrics metrics = edit->fontMetrics();
        const QString shown = edit->text();
        // A line edit keeps two pixels between its frame and the text.
        const int left = contents.left() + 2 + metrics.horizontalAdvance(shown.left(offset));
        const QRect cell(left, contents.center().y() - metrics.height() / 2,
            metrics.horizontalAdvance(shown.mid(offset, 1)), metrics.height());
        return QRect(edit->mapToGlobal(cell.topLeft()), cell.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { Edit()->setCursorPosition(start); }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

    // Text written by a reader is pasted text: allowed where pasting is.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        if (Edit()->PasteAndCutAllowed())
            Edit()->setText(Edit()->text().replace(start, end - start, text));
    }

private:
    TSpinEdit* Edit() const { return static_cast<TSpinEdit*>(object()); }
    bool Bounded() const { return Edit()->MinValue() != Edit()->MaxValue(); }
};

// The arrows carry no text; each says what it does to which edit.
class SpinArrowAccessible : public QAccessibleWidget {
public:
    explicit SpinArrowAccessible(TTimerSpeedButton* arrow)
        : QAccessibleWidget(arrow, QAccessible::PushButton)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Name || !own.isEmpty())
            return own;
        const auto* pair = qobject_cast<const TSpinButton*>(Arrow()->parentWidget());
        if (!pair)
            return own;
        const bool up = pair->UpButton() == Arrow();
        QString target;
        if (QWidget* control = pair->FocusControl())
            if (QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control))
                target = spoken->text(QAccessible::Name);
        // A label's colon ends a caption, not the middle of a sentence.
        if (target.endsWith(u':'))
            target.chop(1);
        if (target.isEmpty())
            return up ? QCoreApplication::translate("TSpinButton", "Increase")
                      : QCoreApplication::translate("TSpinButton", "Decrease");
        return up ? QCoreApplication::translate("TSpinButton", "Increase %1").arg(target)
                  : QCoreApplication::translate("TSpinButton", "Decrease %1").arg(target);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = Arrow()->isDown();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            Arrow()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    TTimerSpeedButton* Arrow() const { return static_cast<TTimerSpeedButton*>(object()); }
};

// ---- Trend chart ------------------------------------------------------------

// One sample of the chart: its text and the place of its bar.
class SampleAccessible : public QAccessibleInterface {
public:
    SampleAccessible(TMavoTrend* chart, int index)
        : chart_(chart)
        , index_(index)
    {
    }

    bool isValid() const override { return chart_ && index_ < chart_->Divisions(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return chart_ ? chart_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(chart_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!chart_)
            return {};
        if (t == QAccessible::Name)
            return chart_->SampleText(index_);
        if (t == QAccessible::Value)
            return QString::number(chart_->Value(index_));
        return {};
    }
    void setText(QAccessible::Text, const QString&) override { }

    QRect rect() const override
    {
        if (!chart_)
            return {};
        const int width = std::max(1, (chart_->width() - 2 * TMavoTrend::kMargin) / chart_->Divisions());
        const QRect bar(chart_->BarCenter(index_) - width / 2, 0, width, chart_->height());
        return QRect(chart_->mapToGlobal(bar.topLeft()), bar.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !chart_ || !chart_->isVisible();
        return s;
    }

private:
    QPointer<TMavoTrend> chart_;
    int index_;
};

// The chart as a list of the samples it shows, left to right.
class TrendAccessible : public QAccessibleWidget {
public:
    explicit TrendAccessible(TMavoTrend* chart)
        : QAccessibleWidget(chart, QAccessible::List)
    {
    }

    ~TrendAccessible() override
    {
        for (const QAccessible::Id id : samples_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return Chart()->Divisions(); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (int(samples_.size()) <= index)
            samples_.push_back(QAccessible::registerAccessibleInterface(
                new SampleAccessible(Chart(), int(samples_.size()))));
        return QAccessible::accessibleInterface(samples_[size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface* sample) const override
    {
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(sample));
        for (size_t i = 0; i < samples_.size() && int(i) < childCount(); ++i)
            if (samples_[i] == id)
                return int(i);
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* sample = child(i); sample->rect().contains(x, y))
                return sample;
        return nullptr;
    }

private:
    TMavoTrend* Chart() const { return static_cast<TMavoTrend*>(object()); }

    mutable std::vector<QAccessible::Id> samples_;
};

// ---- Drop-down lists --------------------------------------------------------

// Qt names a drop-down list by the item it shows on Linux and leaves its
// purpose to the label relation; here its name is its accessible name or
// its label, like any other control's, and the item is its value.
class ComboBoxAccessible : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* list) const override
    {
        return list && list->object() == Box()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Box()->currentText();
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? Box()->currentText() : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Box()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (Box()->view()->isVisible())
            Box()->hidePopup();
        else
            Box()->showPopup();
    }

private:
    QComboBox* Box() const { return static_cast<QComboBox*>(object()); }
};

// Asked with each class name of the object's hierarchy, most derived first.
QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("TLED"))
        return new LampAccessible(static_cast<TLED*>(object));
    if (className == QLatin1String("TSpinEdit"))
        return new SpinEditAccessible(static_cast<TSpinEdit*>(object));
    if (className == QLatin1String("TTimerSpeedButton"))
        return new SpinArrowAccessible(static_cast<TTimerSpeedButton*>(object));
    if (className == QLatin1String("TMavoTrend"))
        return new TrendAccessible(static_cast<TMavoTrend*>(object));
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox*>(object)->isEditable())
        return new ComboBoxAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}

} // namespace

void WidgetAccessibility::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}
