// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LED.h"

#include "widgets/Accessibility.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>

#include <memory>

namespace {

constexpr int kLampLines = TLEDBitmap::LampHeight;
constexpr int kColorRows = lcWhite + 1;

// One lamp, drawn as a 12 x 13 character grid:
// . transparent, g grey, k black, o white, d the row's dark and b its bright colour.
const char* const kUnlitTemplate[kLampLines] = {
    "....gggg....",
    "..ggkkkkgg..",
    ".g.kddddk.g.",
    ".gkddbbddko.",
    "gkddbdddddgo",
    "gkdbddddddgo",
    "gkdbddddddgo",
    "gkddddddddgo",
    "gkddddddddgo",
    ".gkddddddgo.",
    ".g.gddddg.o.",
    "..ooggggoo..",
    "....oooo....",
};
const char* const kLitTemplate[kLampLines] = {
    "....gggg....",
    "..ggkkkkgg..",
    ".g.kbbbbk.g.",
    ".gkbboobbko.",
    "gkbbobbbbbgo",
    "gkbobbbbbbgo",
    "gkbobbbbbbgo",
    "gkbbbbbbbbgo",
    "gkbbbbbbbbgo",
    ".gkbbbbbbgo.",
    ".g.gbbbbg.o.",
    "..ooggggoo..",
    "....oooo....",
};

constexpr QRgb kTeal = qRgb(0, 128, 128);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kSilver = qRgb(192, 192, 192);

struct TRowColors {
    QRgb dark;
    QRgb bright;
};

constexpr TRowColors kRowColors[kColorRows] = {
    {qRgb(128, 0, 0), qRgb(255, 0, 0)}, // lcRed
    {qRgb(0, 128, 0), qRgb(0, 255, 0)}, // lcGreen
    {qRgb(128, 128, 0), qRgb(255, 255, 0)}, // lcYellow
    {qRgb(0, 0, 128), qRgb(0, 255, 255)}, // lcBlue: lit blue is cyan by design
    {qRgb(128, 0, 128), qRgb(255, 0, 255)}, // lcPurple
    {qRgb(128, 128, 128), qRgb(255, 255, 255)} // lcWhite
};

QRgb TemplateColor(char code, TRowColors colors)
{
    switch (code) {
    case 'g':
        return kGrey;
    case 'k':
        return kBlack;
    case 'o':
        return kWhite;
    case 'd':
        return colors.dark;
    case 'b':
        return colors.bright;
    default:
        return kTeal;
    }
}

// The reflection spot: bright in an unlit lamp, white in a lit one.
bool IsHighlight(int line, int col) { return kUnlitTemplate[line][col] == 'b'; }

// A grey rim would vanish against the grey body of the unlit white lamp.
bool IsSilverRim(int line, int col)
{
    return (col == 10 && line >= 4 && line <= 8) || (line == 9 && col == 9)
        || (line == 10 && (col == 3 || col == 8)) || (line == 11 && col >= 4 && col <= 7);
}

QRgb UnlitPixel(TLEDColor color, int line, int col)
{
    // A bright highlight is too dim to read on the darker bodies.
    const bool whiteHighlight = color == lcBlue || color == lcPurple || color == lcWhite;
    if (whiteHighlight && IsHighlight(line, col))
        return kWhite;
    if (color == lcBlue && line == 3 && col == 9)
        return kRowColors[lcBlue].dark;
    if (color == lcWhite && IsSilverRim(line, col))
        return kSilver;
    return TemplateColor(kUnlitTemplate[line][col], kRowColors[color]);
}

QRgb LitPixel(TLEDColor color, int line, int col)
{
    // A white spot would vanish in a white lamp.
    if (color == lcWhite && IsHighlight(line, col))
        return kSilver;
    return TemplateColor(kLitTemplate[line][col], kRowColors[color]);
}

QRgb OutlinePixel(int line, int col)
{
    const char code = kLitTemplate[line][col];
    return code == 'b' ? kTeal : TemplateColor(code, {});
}

void PaintCell(QImage& sheet, int column, int row, auto pixelAt)
{
    const QPoint origin(column * TLEDBitmap::LampWidth, row * TLEDBitmap::LampHeight);
    for (int line = 0; line < kLampLines; ++line)
        for (int col = 0; col < TLEDBitmap::LampWidth; ++col)
            sheet.setPixel(origin + QPoint(col, line), pixelAt(line, col));
}

// The body of a lamp: what lights up, inside its rim.
bool IsBody(int line, int col)
{
    if (line < 0 || line >= kLampLines || col < 0 || col >= TLEDBitmap::LampWidth)
        return false;
    const char code = kUnlitTemplate[line][col];
    return code == 'd' || code == 'b';
}

bool IsBodyEdge(int line, int col)
{
    return !IsBody(line - 1, col) || !IsBody(line + 1, col) || !IsBody(line, col - 1)
        || !IsBody(line, col + 1);
}

// An unlit body close to black, edged in the lamp's dark colour so that its
// colour can still be told.
QRgb UnlitBody(TLEDColor color, int line, int col)
{
    constexpr int kGlowPercent = 15;
    const TRowColors colors = kRowColors[color];
    if (IsBodyEdge(line, col))
        return colors.dark;
    return qRgb(qRed(colors.bright) * kGlowPercent / 100, qGreen(colors.bright) * kGlowPercent / 100,
        qBlue(colors.bright) * kGlowPercent / 100);
}

QImage CutOut(const QImage& sheet, QRgb transparent)
{
    QImage result = sheet.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            if (sheet.pixel(x, y) == transparent)
                result.setPixel(x, y, qRgba(0, 0, 0, 0));
    return result;
}

std::unique_ptr<TLEDBitmap> sharedBitmap;

struct TLabelLayout {
    QRect lamp;
    QRect text;
};

TLabelLayout LayoutFor(TCaptionAlignment alignment, QSize size)
{
    constexpr int lampW = TLEDBitmap::LampWidth;
    constexpr int lampH = TLEDBitmap::LampHeight;
    constexpr int sideGap = 15; // lamp width plus a small space before the caption
    constexpr int bandGap = 16; // lamp height plus a small space before the caption
    const int w = size.width();
    const int h = size.height();
    const QSize lamp(lampW, lampH);
    switch (alignment) {
    case caLeft:
        return {{QPoint(w - lampW, (h - lampH) / 2), lamp}, {0, 0, qMax(0, w - sideGap), h}};
    case caTop:
        return {{QPoint((w - lampW) / 2, h - lampH), lamp}, {0, 0, w, qMax(0, h - bandGap)}};
    case caBottom:
        return {{QPoint((w - lampW) / 2, 0), lamp}, {0, bandGap, w, qMax(0, h - bandGap)}};
    case caRight:
        break;
    }
    return {{QPoint(0, (h - lampH) / 2), lamp}, {sideGap, 0, qMax(0, w - sideGap), h}};
}

} // namespace

// --- TLEDBitmap ------------------------------------------------------------

TLEDBitmap::TLEDBitmap()
    : m_sheet(Generate())
    , m_transparent(m_sheet.pixel(0, m_sheet.height() - 1))
    , m_cutOut(CutOut(m_sheet, m_transparent))
    , m_unlit(UnlitLamps(m_sheet))
{
}

// The sheet's unlit cells are the lamps of old, whose bodies differ from the
// lit ones only in shade, and on a dark window an unlit lamp looked lit. The
// rim stays the sheet's; only the body is drawn darker.
QImage TLEDBitmap::UnlitLamps(const QImage& sheet)
{
    const QRgb transparent = sheet.pixel(0, sheet.height() - 1);
    QImage lamps
        = CutOut(sheet.copy(UnlitColumn * LampWidth, 0, LampWidth, kColorRows * LampHeight), transparent);
    for (int row = 0; row < kColorRows; ++row)
        for (int line = 0; line < kLampLines; ++line)
            for (int col = 0; col < LampWidth; ++col)
                if (IsBody(line, col))
                    lamps.setPixel(col, row * LampHeight + line, UnlitBody(TLEDColor(row), line, col));
    return lamps;
}

QImage TLEDBitmap::Generate()
{
    QImage sheet(2 * LampWidth, (OutlineRow + 1) * LampHeight, QImage::Format_RGB32);
    for (int row = 0; row < kColorRows; ++row) {
        const auto color = static_cast<TLEDColor>(row);
        PaintCell(sheet, UnlitColumn, row, [color](int l, int c) { return UnlitPixel(color, l, c); });
        PaintCell(sheet, LitColumn, row, [color](int l, int c) { return LitPixel(color, l, c); });
    }
    PaintCell(sheet, UnlitColumn, OutlineRow, OutlinePixel);
    PaintCell(sheet, LitColumn, OutlineRow, OutlinePixel);
    return sheet;
}

TLEDBitmap& TLEDBitmap::Attach(TLED* lamp)
{
    if (!sharedBitmap)
        sharedBitmap.reset(new TLEDBitmap);
    sharedBitmap->m_users.append(lamp);
    return *sharedBitmap;
}

void TLEDBitmap::Detach(TLED* lamp)
{
    if (!sharedBitmap)
        return;
    sharedBitmap->m_users.removeOne(lamp);
    if (sharedBitmap->m_users.isEmpty())
        sharedBitmap.reset();
}

const TLEDBitmap* TLEDBitmap::Shared() { return sharedBitmap.get(); }

void TLEDBitmap::DrawCell(QPainter& painter, QPoint at, int column, int row, const QColor& background) const
{
    painter.fillRect(QRect(at, QSize(LampWidth, LampHeight)), background);
    painter.drawImage(at, m_cutOut, QRect(column * LampWidth, row * LampHeight, LampWidth, LampHeight));
}

void TLEDBitmap::DrawUnlit(QPainter& painter, QPoint at, TLEDColor color, const QColor& background) const
{
    painter.fillRect(QRect(at, QSize(LampWidth, LampHeight)), background);
    painter.drawImage(at, m_unlit, QRect(0, color * LampHeight, LampWidth, LampHeight));
}

const QImage& LedSpriteSheet()
{
    static const QImage sheet = TLEDBitmap::Generate();
    return sheet;
}

// --- TLED ------------------------------------------------------------------

TLED::TLED(QWidget* parent)
    : TLED(parent, TSizing::FixedLamp)
{
}

TLED::TLED(QWidget* parent, TSizing sizing)
    : QWidget(parent)
    , m_bitmap(TLEDBitmap::Attach(this))
{
    WidgetAccessibility::Install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (sizing == TSizing::FixedLamp)
        setFixedSize(TLEDBitmap::LampWidth, TLEDBitmap::LampHeight);
}

TLED::~TLED() { TLEDBitmap::Detach(this); }

void TLED::SetLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    StateChanged();
    // A reader hears a lamp as a check box that is checked while lit.
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void TLED::SetColor(TLEDColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    StateChanged();
}

QRect TLED::LampRect() const { return rect(); }

QSize TLED::sizeHint() const { return {TLEDBitmap::LampWidth, TLEDBitmap::LampHeight}; }

void TLED::StateChanged()
{
    // Listeners may read the lamp back off the screen, so it must be current first.
    repaint(LampRect());
    emit OnChangeState(this);
}

void TLED::DrawLamp(QPainter& painter) const
{
    const QPoint at = LampRect().topLeft();
    if (!isEnabled())
        m_bitmap.DrawCell(painter, at, TLEDBitmap::UnlitColumn, TLEDBitmap::OutlineRow, ParentColor());
    else if (m_lit)
        m_bitmap.DrawCell(painter, at, TLEDBitmap::LitColumn, m_color, ParentColor());
    else
        m_bitmap.DrawUnlit(painter, at, m_color, ParentColor());
}

QColor TLED::ParentColor() const
{
    const QWidget* owner = parentWidget() ? parentWidget() : this;
    return owner->palette().color(QPalette::Window);
}

void TLED::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawLamp(painter);
}

void TLED::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        emit OnChangeState(this);
    QWidget::changeEvent(event);
}

// --- TLEDLabel -------------------------------------------------------------

TLEDLabel::TLEDLabel(QWidget* parent)
    : TLED(parent, TSizing::Free)
{
    resize(sizeHint());
}

// The rectangles follow from size and alignment alone; deriving them on demand
// keeps them right even for a hidden label, which gets no resize events.
QRect TLEDLabel::LampRect() const { return LayoutFor(m_alignment, size()).lamp; }

QRect TLEDLabel::TextRect() const { return LayoutFor(m_alignment, size()).text; }

QSize TLEDLabel::sizeHint() const { return {97, 17}; }

void TLEDLabel::SetCaption(const QString& caption)
{
    const QString limited = caption.left(MaxCaptionLength);
    if (limited == m_caption)
        return;
    m_caption = limited;
    update();
}

void TLEDLabel::SetAlignment(TCaptionAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TLEDLabel::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TLEDLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), ParentColor());
    DrawLamp(painter);
    DrawCaption(painter);
}

int TLEDLabel::TextFlags() const
{
    switch (m_alignment) {
    case caTop:
        return Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine;
    case caBottom:
        return Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine;
    case caLeft:
    case caRight:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
}

void TLEDLabel::DrawCaption(QPainter& painter) const
{
    const QRect box = TextRect();
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
    } else {
        // Engraved look: Light and Dark are the palette's button highlight and shadow.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(box.translated(1, 1), TextFlags(), m_caption);
        painter.setPen(palette().color(QPalette::Dark));
    }
    painter.drawText(box, TextFlags(), m_caption);
}
