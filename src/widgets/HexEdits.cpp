// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/HexEdits.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QValidator>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>

namespace {

constexpr std::array<int, 4> kRadix = {16, 10, 8, 2};

// "0".."9" give 0..9 and "A".."F" give 10..15.
int DigitOf(QChar c)
{
    const int digit = int(c.unicode()) - 48;
    return digit > 10 ? digit - 7 : digit;
}

bool IsDigitCharacter(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }

// The number a text stands for, or nothing when it holds a character that is
// not a digit of the base or the number does not fit Value. Every character
// counts, so leading zeros never change the number.
std::optional<int> NumberOf(QStringView text, int radix)
{
    qint64 number = 0;
    for (const QChar c : text) {
        if (!IsDigitCharacter(c) || DigitOf(c) >= radix)
            return std::nullopt;
        number = number * radix + DigitOf(c);
        if (number > INT_MAX)
            return std::nullopt;
    }
    return int(number);
}

// Popups and switching windows take the focus away only for a moment;
// entering and leaving mean going from one control to another.
bool MovesBetweenControls(Qt::FocusReason reason)
{
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

bool HasCommandModifier(const QKeyEvent* event)
{
    return event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool IsCopy(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Copy)
        || (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ControlModifier);
}

bool IsPaste(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Paste)
        || (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier);
}

bool IsCut(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Cut)
        || (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ShiftModifier);
}

// Keystrokes that would change the text in ways the edit does not check;
// they are discarded like any other character it does not know.
bool IsUncheckedChange(const QKeyEvent* event)
{
    for (const auto key :
        {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::DeleteStartOfWord,
            QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine}) {
        if (event->matches(key))
            return true;
    }
    return false;
}

// What arrives by other ways than keys (dropping, middle-button paste, input
// methods) has to pass the same test on the text it would leave.
class ValidTextOnly : public QValidator {
public:
    explicit ValidTextOnly(THexEdit* edit)
        : QValidator(edit)
        , edit_(edit)
    {
    }
    State validate(QString& input, int&) const override
    {
        return edit_->IsValidText(input) ? Acceptable : Invalid;
    }

private:
    THexEdit* edit_;
};

} // namespace

THexEdit::THexEdit(QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent)
{
    setValidator(new ValidTextOnly(this));
    connect(this, &QLineEdit::textChanged, this, &THexEdit::OnChange);
}

int THexEdit::Radix() const { return kRadix[Base]; }

// Text that did not come through the edit's own checks still reads as the
// digits say, in 32-bit arithmetic.
int THexEdit::Value() const
{
    if (const auto number = NumberOf(text(), Radix()))
        return *number;
    quint32 number = 0;
    for (const QChar c : text())
        number = number * quint32(Radix()) + quint32(DigitOf(c));
    return qint32(number);
}

void THexEdit::SetValue(int value)
{
    int bounded = qMax(value, 0);
    if (Check) {
        if (bounded < Min)
            bounded = Min;
        else if (bounded > Max)
            bounded = Max;
    }
    setText(QString::number(bounded, Radix()).toUpper());
}

void THexEdit::SetNumBase(TEditBase base)
{
    const int value = Value();
    Base = base;
    SetValue(value);
}

void THexEdit::SetMinValue(int value)
{
    Min = qMax(value, 0);
    SetValue(Value());
}

void THexEdit::SetMaxValue(int value)
{
    Max = qMax(value, 0);
    SetValue(Value());
}

void THexEdit::SetValidate(bool on)
{
    Check = on;
    SetValue(Value());
}

bool THexEdit::IsValidText(QStringView text) const
{
    const auto number = NumberOf(text, Radix());
    return number && (!Check || (*number >= Min && *number <= Max));
}

// The caret's place, or the start of the selection when there is one.
int THexEdit::CaretStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

QString THexEdit::WithoutSelection() const
{
    QString candidate = text();
    if (hasSelectedText())
        candidate.remove(selectionStart(), selectionLength());
    return candidate;
}

QString THexEdit::AfterErase(bool forward) const
{
    if (hasSelectedText())
        return WithoutSelection();
    QString candidate = text();
    const int at = cursorPosition() - (forward ? 0 : 1);
    if (at >= 0 && at < candidate.size())
        candidate.remove(at, 1);
    return candidate;
}

void THexEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly() || IsCopy(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (IsPaste(event)) {
        PasteChecked();
    } else if (IsCut(event)) {
        CutChecked();
    } else if (IsUncheckedChange(event)) {
        // discarded
    } else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        if (IsValidText(AfterErase(event->key() == Qt::Key_Delete)))
            QLineEdit::keyPressEvent(event);
    } else if (!event->text().isEmpty() && event->text().front().isPrint() && !HasCommandModifier(event)) {
        TypeText(event->text());
    } else {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void THexEdit::TypeText(const QString& typed)
{
    const QString upper = typed.toUpper();
    if (!std::all_of(upper.cbegin(), upper.cend(), IsDigitCharacter))
        return;
    const int start = CaretStart();
    const QString candidate = text().left(start) + upper + text().mid(start + selectionLength());
    if (IsValidText(candidate))
        insert(upper);
}

// The selection stays in the text that is checked: pasting over a selection
// must leave a valid number with and without the selected digits.
void THexEdit::PasteChecked()
{
    if (isReadOnly())
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    const int start = CaretStart();
    if (IsValidText(text().left(start) + data->text() + text().mid(start)))
        paste();
}

void THexEdit::CutChecked()
{
    if (!isReadOnly() && IsValidText(WithoutSelection()))
        cut();
}

void THexEdit::DeleteChecked()
{
    if (!isReadOnly() && hasSelectedText() && IsValidText(WithoutSelection()))
        del();
}

// The edit's own menu, so that its changes pass the same checks as the keys.
void THexEdit::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool writable = !isReadOnly();
    const bool selected = hasSelectedText();
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const auto add = [menu](const QString& caption, QKeySequence::StandardKey key, bool enabled) {
        QAction* action = menu->addAction(caption);
        action->setShortcut(key);
        action->setEnabled(enabled);
        return action;
    };
    connect(add(tr("Cu&t"), QKeySequence::Cut, writable && selected), &QAction::triggered, this,
        &THexEdit::CutChecked);
    connect(add(tr("&Copy"), QKeySequence::Copy, selected), &QAction::triggered, this, &QLineEdit::copy);
    connect(add(tr("&Paste"), QKeySequence::Paste, writable && clip && clip->hasText()), &QAction::triggered,
        this, &THexEdit::PasteChecked);
    connect(add(tr("Delete"), QKeySequence::Delete, writable && selected), &QAction::triggered, this,
        &THexEdit::DeleteChecked);
    menu->addSeparator();
    connect(add(tr("Select All"), QKeySequence::SelectAll, !text().isEmpty()), &QAction::triggered, this,
        &QLineEdit::selectAll);
    menu->popup(event->globalPos());
}

// Tab focus selects everything by itself in QLineEdit, which AutoSelect off
// has to take back; a press of the left button places the caret instead.
void THexEdit::focusInEvent(QFocusEvent* event)
{
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!MovesBetweenControls(event->reason()))
        return;
    if (SelectOnEntry && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        selectAll();
    else if (!SelectOnEntry && !hadSelection)
        deselect();
}

// Leading zeros go, an empty text becomes "0", and with Validate the bounds
// apply.
void THexEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (MovesBetweenControls(event->reason()))
        SetValue(Value());
}
