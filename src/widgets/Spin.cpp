// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Spin.h"

#include "widgets/Accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <optional>

namespace {

// The desktop's single-line border, which the minimum edit height is built from.
constexpr int kSystemBorderHeight = 1;

QPixmap BuiltInArrow(const QString& name, bool pointsUp)
{
    QPixmap image;
    if (QPixmapCache::find(name, &image))
        return image;
    image = QPixmap(9, 6);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int row = 0; row < 4; ++row) {
        const int half = pointsUp ? row : 3 - row;
        painter.fillRect(4 - half, 1 + row, 2 * half + 1, 1, Qt::black);
    }
    painter.end();
    QPixmapCache::insert(name, image);
    return image;
}

QPixmap Inked(const QPixmap& shape, const QColor& ink)
{
    QPixmap image(shape.size());
    image.setDevicePixelRatio(shape.devicePixelRatio());
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), ink);
    return image;
}

QPixmap SpinUpGlyph() { return BuiltInArrow(QStringLiteral("SpinUp"), true); }
QPixmap SpinDownGlyph() { return BuiltInArrow(QStringLiteral("SpinDown"), false); }

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Decimal with optional leading blanks and sign; "$", "x" or "X" after the sign
// switches to hexadecimal, whose digits are a 32-bit pattern ("$FFFFFFFF" is -1).
std::optional<int> ParseInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    quint64 magnitude = 0;
    for (const QChar c : text.sliced(i)) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFu)
            return std::nullopt;
    }
    if (base == 16) {
        const quint32 bits = quint32(magnitude);
        return qint32(negative ? 0u - bits : bits);
    }
    const qint64 value = negative ? -qint64(magnitude) : qint64(magnitude);
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return int(value);
}

// Popups and switching windows move the focus away only for a moment; entering and
// leaving mean the operator went from one control to another.
bool MovesBetweenControls(Qt::FocusReason reason)
{
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

// A printable character with Ctrl, Alt or Meta is a command such as Ctrl+C, not typing.
bool IsShortcut(const QKeyEvent* event)
{
    const auto commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return (event->modifiers() & commandKeys) && !event->text().isEmpty() && event->text().front().isPrint();
}

bool CanTakeFocus(const QWidget* widget)
{
    return widget->isEnabled() && widget->isVisible() && widget->focusPolicy() != Qt::NoFocus;
}

} // namespace

// ---- TTimerSpeedButton ----

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent)
    : QAbstractButton(parent)
{
    WidgetAccessibility::Install();
    setFocusPolicy(Qt::NoFocus);
}

void TTimerSpeedButton::SetFocusRectShown(bool shown)
{
    if (FocusRect == shown)
        return;
    FocusRect = shown;
    update();
}

void TTimerSpeedButton::SetGlyph(const QPixmap& glyph)
{
    GlyphImage = glyph;
    InkGlyph = false;
    update();
}

void TTimerSpeedButton::SetInkGlyph(const QPixmap& shape)
{
    SetGlyph(shape);
    InkGlyph = true;
}

void TTimerSpeedButton::SetNumGlyphs(int count)
{
    GlyphCount = std::clamp(count, 1, 4);
    update();
}

void TTimerSpeedButton::EmitClick() { emit clicked(); }

void TTimerSpeedButton::RepeatTick()
{
    if (RepeatTimer)
        RepeatTimer->setInterval(kRepeatInterval);
    // Dragged off the button, the hold pauses until the mouse comes back.
    if (!isDown())
        return;
    try {
        EmitClick();
    } catch (...) {
        StopRepeat();
        throw;
    }
}

bool TTimerSpeedButton::Repeating() const { return RepeatTimer && RepeatTimer->isActive(); }

int TTimerSpeedButton::RepeatTimerInterval() const { return RepeatTimer ? RepeatTimer->interval() : 0; }

QSize TTimerSpeedButton::sizeHint() const
{
    const QSize image = GlyphImage.deviceIndependentSize().toSize();
    return QSize(image.width() / GlyphCount + 6, image.height() + 6);
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event)
{
    QAbstractButton::mousePressEvent(event);
    if (!RepeatOn || !isDown())
        return;
    if (!RepeatTimer) {
        RepeatTimer = new QTimer(this);
        connect(RepeatTimer, &QTimer::timeout, this, &TTimerSpeedButton::RepeatTick);
    }
    RepeatTimer->start(kFirstRepeatDelay);
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    StopRepeat();
    QAbstractButton::mouseReleaseEvent(event);
}

// A hidden or disabled button no longer gets the release that would end the hold.
void TTimerSpeedButton::hideEvent(QHideEvent* event)
{
    StopRepeat();
    QAbstractButton::hideEvent(event);
}

void TTimerSpeedButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        StopRepeat();
    QAbstractButton::changeEvent(event);
}

void TTimerSpeedButton::StopRepeat()
{
    if (RepeatTimer)
        RepeatTimer->stop();
}

QPixmap TTimerSpeedButton::CurrentImage() const
{
    const int width = GlyphImage.width() / GlyphCount;
    const auto part
        = [&](int index) { return GlyphImage.copy(index * width, 0, width, GlyphImage.height()); };
    if (InkGlyph)
        return Inked(part(0), palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                               QPalette::ButtonText));
    if (!isEnabled()) {
        if (GlyphCount > 1)
            return part(1);
        QStyleOption option;
        option.initFrom(this);
        return style()->generatedIconPixmap(QIcon::Disabled, part(0), &option);
    }
    return part(isDown() && GlyphCount > 2 ? 2 : 0);
}

void TTimerSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);

    const int shift = isDown() ? 1 : 0;
    const QPixmap image = CurrentImage();
    const QRect target = QStyle::alignedRect(
        layoutDirection(), Qt::AlignCenter, image.deviceIndependentSize().toSize(), rect());
    painter.drawPixmap(target.topLeft() + QPoint(shift, shift), image);
    if (FocusRect) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4).translated(shift, shift));
    }
}

// ---- TSpinButton ----

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent)
    , Up(MakeButton(SpinUpGlyph()))
    , Down(MakeButton(SpinDownGlyph()))
    , Focused(Up)
{
    setFocusPolicy(Qt::TabFocus);
    setMinimumWidth(kMinimumWidth);
    connect(Up, &QAbstractButton::clicked, this, &TSpinButton::OnUpClick);
    connect(Down, &QAbstractButton::clicked, this, &TSpinButton::OnDownClick);
    resize(sizeHint());
}

TTimerSpeedButton* TSpinButton::MakeButton(const QPixmap& glyph)
{
    auto* button = new TTimerSpeedButton(this);
    button->SetInkGlyph(glyph);
    button->SetRepeatAllowed(true);
    connect(button, &QAbstractButton::pressed, this, [this, button] { TakeFocusOnPress(button); });
    return button;
}

QPixmap TSpinButton::UpGlyph() const { return Up->Glyph(); }
QPixmap TSpinButton::DownGlyph() const { return Down->Glyph(); }
int TSpinButton::UpNumGlyphs() const { return Up->NumGlyphs(); }
int TSpinButton::DownNumGlyphs() const { return Down->NumGlyphs(); }
void TSpinButton::SetUpNumGlyphs(int count) { Up->SetNumGlyphs(count); }
void TSpinButton::SetDownNumGlyphs(int count) { Down->SetNumGlyphs(count); }

void TSpinButton::SetUpGlyph(const QPixmap& glyph)
{
    if (glyph.isNull())
        Up->SetInkGlyph(SpinUpGlyph());
    else
        Up->SetGlyph(glyph);
}

void TSpinButton::SetDownGlyph(const QPixmap& glyph)
{
    if (glyph.isNull())
        Down->SetInkGlyph(SpinDownGlyph());
    else
        Down->SetGlyph(glyph);
}

QSize TSpinButton::sizeHint() const { return QSize(20, 25); }

// The down button reaches one pixel over the up button so the two share an edge line.
void TSpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    Up->setGeometry(0, 0, width(), half);
    Down->setGeometry(0, half - 1, width(), height() - half + 1);
}

void TSpinButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        Focused->EmitClick();
        break;
    case Qt::Key_Up:
        MarkFocus(Up);
        Up->EmitClick();
        break;
    case Qt::Key_Down:
        MarkFocus(Down);
        Down->EmitClick();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TSpinButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    Focused->SetFocusRectShown(true);
}

void TSpinButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    Focused->SetFocusRectShown(false);
}

void TSpinButton::MarkFocus(TTimerSpeedButton* button)
{
    Focused->SetFocusRectShown(false);
    Focused = button;
    Focused->SetFocusRectShown(hasFocus());
}

void TSpinButton::TakeFocusOnPress(TTimerSpeedButton* pressed)
{
    MarkFocus(pressed);
    if (Control && CanTakeFocus(Control) && !Control->hasFocus())
        Control->setFocus(Qt::MouseFocusReason);
    else if (focusPolicy() & Qt::TabFocus)
        setFocus(Qt::MouseFocusReason);
}

// ---- TSpinEdit ----

// The first text is set only once the edit is a spin edit: a reader that
// is told of it meanwhile would take the edit for a plain line edit.
TSpinEdit::TSpinEdit(QWidget* parent)
    : QLineEdit(parent)
    , SpinButton(new TSpinButton(this))
{
    SpinButton->setFocusPolicy(Qt::NoFocus);
    SpinButton->setCursor(Qt::ArrowCursor);
    SpinButton->SetFocusControl(this);
    connect(SpinButton, &TSpinButton::OnUpClick, this, &TSpinEdit::UpClick);
    connect(SpinButton, &TSpinButton::OnDownClick, this, &TSpinEdit::DownClick);
    WidgetAccessibility::Install();
    connect(this, &QLineEdit::textChanged, this, &TSpinEdit::OnChange);
    // A reader hears the edit as a spin box with a value, as QSpinBox is.
    connect(this, &QLineEdit::textChanged, this, [this] {
        QAccessibleValueChangeEvent event(this, Value());
        QAccessible::updateAccessibility(&event);
    });
    setTextMargins(0, 0, kButtonWidth + 2, 0);
    setMinimumHeight(MinimumHeight());
    PlaceButton();
    setText(QStringLiteral("0"));
}

int TSpinEdit::Value() const { return ParseInteger(text()).value_or(Min); }

// Polled replies set the same value again and again; an unchanged text is
// left alone, with the caret and selection of a user who is in the edit.
void TSpinEdit::SetValue(int value)
{
    const QString shown = QString::number(Bounded(value));
    if (shown != text())
        setText(shown);
}

int TSpinEdit::Bounded(int value) const
{
    if (Min == Max)
        return value;
    if (value < Min)
        return Min;
    if (value > Max)
        return Max;
    return value;
}

void TSpinEdit::SetEditorEnabled(bool enabled)
{
    Editor = enabled;
    // Dropping text is pasting by other means.
    setAcceptDrops(enabled);
}

void TSpinEdit::UpClick() { StepBy(Step); }

void TSpinEdit::DownClick() { StepBy(-qint64(Step)); }

// Steps past the 32-bit range stop at its end instead of wrapping round.
void TSpinEdit::StepBy(qint64 delta)
{
    if (isReadOnly()) {
        WarningBeep();
        return;
    }
    SetValue(int(std::clamp<qint64>(Value() + delta, INT_MIN, INT_MAX)));
}

void TSpinEdit::WarningBeep() { QApplication::beep(); }

bool TSpinEdit::AcceptsChar(QChar c) const
{
    if (c.category() == QChar::Other_Control)
        return c != u'\r' && (Editor || c != u'\b');
    if (!Editor)
        return false;
    return c == u'+' || c == u'-' || (c >= u'0' && c <= u'9')
        || QLocale().decimalPoint() == QStringView(&c, 1);
}

bool TSpinEdit::AcceptsTyped(const QString& text) const
{
    return std::all_of(text.cbegin(), text.cend(), [this](QChar c) { return AcceptsChar(c); });
}

void TSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        UpClick();
    else if (event->key() == Qt::Key_Down)
        DownClick();

    if ((event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) && !PasteAndCutAllowed())
        return;
    if (!IsShortcut(event) && !AcceptsTyped(event->text())) {
        WarningBeep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSpinEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!AcceptsTyped(event->commitString())) {
        WarningBeep();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

// The standard menu's actions carry no names, only their captions with the
// shortcut after a tab.
void TSpinEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    const QStringList blocked = {QLineEdit::tr("Cu&t"), QLineEdit::tr("&Paste")};
    for (QAction* action : menu->actions()) {
        if (!PasteAndCutAllowed() && blocked.contains(action->text().section(u'\t', 0, 0)))
            action->setEnabled(false);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// The middle button pastes the X11 selection.
void TSpinEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && !PasteAndCutAllowed())
        return;
    QLineEdit::mouseReleaseEvent(event);
}

// A left press on the text itself places the caret right after this and so undoes
// the selection; a press on the spin buttons leaves it selected. QLineEdit selects
// all by itself on tab focus, which AutoSelect off has to take back.
void TSpinEdit::focusInEvent(QFocusEvent* event)
{
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!MovesBetweenControls(event->reason()))
        return;
    if (SelectOnEntry)
        selectAll();
    else if (!hadSelection)
        deselect();
}

// Typing is not checked against the range, so an out-of-range number is pulled in
// here. Text that is no number reads as MinValue, which is in range, so it stays.
void TSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!MovesBetweenControls(event->reason()))
        return;
    const int value = Value();
    if (Bounded(value) != value)
        SetValue(value);
}

void TSpinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    PlaceButton();
}

void TSpinEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        setMinimumHeight(MinimumHeight());
        PlaceButton();
    }
}

int TSpinEdit::FrameWidth() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    return option.lineWidth;
}

int TSpinEdit::MinimumHeight() const
{
    const int own = fontMetrics().height();
    const int system = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
    return 4 * kSystemBorderHeight + own + std::min(own, system) / 4 + 2;
}

// The offsets count from the inside of the frame, where a framed edit's text starts.
void TSpinEdit::PlaceButton()
{
    const int frame = FrameWidth();
    const QRect inFrame = hasFrame() ? QRect(width() - kButtonWidth - 5, 0, kButtonWidth, height() - 5)
                                     : QRect(width() - kButtonWidth, 1, kButtonWidth, height() - 3);
    SpinButton->setGeometry(inFrame.translated(frame, frame));
}
