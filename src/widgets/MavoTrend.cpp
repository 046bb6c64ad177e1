// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MavoTrend.h"

#include "widgets/Accessibility.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Coordinates beyond this lie far outside any control; samples far outside
// the scale are drawn there instead of overflowing.
constexpr qint64 kFar = 1 << 20;

int Clamped(qint64 value) { return int(std::clamp(value, -kFar, kFar)); }

// Halves go to the even neighbour, so bar edges do not drift one way.
int Nearest(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    double result = below + 1;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0))
        result = below;
    return Clamped(qint64(std::clamp(result, -double(kFar), double(kFar))));
}

qint64 CeilDiv(qint64 numerator, qint64 denominator)
{
    return numerator >= 0 ? (numerator + denominator - 1) / denominator : -(-numerator / denominator);
}

// The rectangle between two corners as the bars use it: the right and the
// bottom edge are not part of it, so a bar of height zero draws nothing.
void DrawRectangle(QPainter& painter, QPoint a, QPoint b, const QColor& fill, const QColor& outline)
{
    const QRect area(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
    if (area.isEmpty())
        return;
    painter.fillRect(area, fill);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void DrawShape(QPainter& painter, const QPolygon& shape, const QColor& color)
{
    painter.setPen(color);
    painter.setBrush(color);
    painter.drawPolygon(shape);
}

QFont LabelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(TMavoTrend::kLabelHeight);
    return font;
}

} // namespace

struct TMavoTrend::Geometry {
    int width;
    int height;
    double step; // pixels per sample
    QColor outline; // the grid's colour when a grid was drawn
    QList<Label>* labels; // every label drawn, for drawing it again finer
};

TMavoTrend::TMavoTrend(QWidget* parent)
    : QFrame(parent)
{
    WidgetAccessibility::Install();
}

void TMavoTrend::Changed() { update(); }

template <typename T> void TMavoTrend::Store(T& setting, const T& value)
{
    if (std::exchange(setting, value) != value)
        Changed();
}

void TMavoTrend::SetStyle(TTrendStyle style) { Store(m_style, style); }

void TMavoTrend::SetOptions(TTrendOptions options) { Store(m_options, options); }

void TMavoTrend::SetGridStyle(TGridStyle style) { Store(m_gridStyle, style); }

void TMavoTrend::SetColor(const QColor& color) { Store(m_color, color); }

void TMavoTrend::SetColorBase(const QColor& color) { Store(m_colorBase, color); }

void TMavoTrend::SetBackGroundColor(const QColor& color) { Store(m_backGround, color); }

void TMavoTrend::SetGridColor(const QColor& color) { Store(m_gridColor, color); }

// A control not yet given a size still keeps a usable step.
void TMavoTrend::SetGridXstep(int step)
{
    if (step <= 0)
        return;
    step = std::max(1, std::min(step, width()));
    Store(m_gridXstep, step);
}

void TMavoTrend::SetGridYstep(int step)
{
    if (step <= 0)
        return;
    step = std::max(1, std::min(step, height()));
    Store(m_gridYstep, step);
}

void TMavoTrend::SetMinVal(int value)
{
    if (value >= m_maxVal)
        value = m_maxVal - 1;
    Store(m_minVal, value);
}

void TMavoTrend::SetMaxVal(int value)
{
    if (value <= m_minVal)
        value = m_minVal + 1;
    Store(m_maxVal, value);
}

void TMavoTrend::SetDivisions(int divisions)
{
    divisions = std::clamp(divisions, kMinDivisions, kCapacity);
    Store(m_divisions, divisions);
}

void TMavoTrend::SetAutoScale(bool on) { Store(m_autoScale, on); }

// The entries beyond Divisions stay as they are and still count for the
// scale: they come back into view when Divisions grows again.
void TMavoTrend::AddValue(int value)
{
    std::copy(m_primary.begin() + 1, m_primary.begin() + m_divisions, m_primary.begin());
    value = std::max(value, m_minVal);
    if (m_autoScale) {
        const int largest = std::max({value, *std::max_element(m_primary.begin(), m_primary.end()),
            *std::max_element(m_twin.begin(), m_twin.end())});
        if (largest != m_maxVal)
            SetMaxVal(largest);
    } else {
        value = std::min(value, m_maxVal);
    }
    m_primary[size_t(m_divisions - 1)] = value;
    Changed();
    // Every shown sample has moved: a reader reads the list anew.
    QAccessibleEvent event(this, QAccessible::VisibleDataChanged);
    QAccessible::updateAccessibility(&event);
}

QColor TMavoTrend::OffsetColor(const QColor& color, int delta) const
{
    const auto moved
        = [delta](int channel) { return int(std::clamp(qint64(channel) + delta, qint64(0), qint64(255))); };
    return QColor(moved(color.red()), moved(color.green()), moved(color.blue()));
}

int TMavoTrend::Value(int index) const
{
    return index >= 0 && index < kCapacity ? m_primary[size_t(index)] : 0;
}

int TMavoTrend::TwinValue(int index) const
{
    return index >= 0 && index < kCapacity ? m_twin[size_t(index)] : 0;
}

QString TMavoTrend::SampleText(int index) const
{
    if (m_sampleText)
        return m_sampleText(index, Value(index));
    return QCoreApplication::translate("TMavoTrend", "%1: %2").arg(index).arg(Value(index));
}

int TMavoTrend::BarCenter(int index) const
{
    const double step = double(width() - 2 * kMargin) / m_divisions;
    return contentsRect().left() + Nearest(kMargin + index * step) + Nearest(step) / 2;
}

// Height above the control's bottom edge; the arithmetic is wide enough for
// any pair of samples and scale ends.
int TMavoTrend::SampleHeight(int sample, int extra) const
{
    const qint64 range = qint64(m_maxVal) - m_minVal;
    return Clamped((qint64(sample) - m_minVal) * (height() - 2 * kMargin - extra) / range + kMargin);
}

// The labels stand on the chart's own background, which need not be the
// window's: of the palette's two window colours, the one that stands out
// more from that background. Always the active ones: the chart keeps its
// bars' colours while disabled, and figures read before the link closed
// must stay readable beside them.
QColor TMavoTrend::LabelColor() const
{
    const QColor text = palette().color(QPalette::Active, QPalette::WindowText);
    const QColor window = palette().color(QPalette::Active, QPalette::Window);
    const int lightness = m_backGround.lightness();
    return std::abs(text.lightness() - lightness) >= std::abs(window.lightness() - lightness) ? text : window;
}

void TMavoTrend::DrawGrid(QPainter& painter, const QRect& client) const
{
    painter.setPen(m_gridColor);
    const int left = client.left();
    const int top = client.top();
    const int right = client.left() + client.width();
    const int bottom = client.top() + client.height();
    if (m_gridStyle == gsXGrid || m_gridStyle == gsFull) {
        // Counted from the right edge, where the newest sample stands.
        for (qint64 p = CeilDiv(left + 1, m_gridXstep) * m_gridXstep; p <= right - 1; p += m_gridXstep)
            painter.drawLine(int(right - p), top, int(right - p), bottom - 1);
    }
    if (m_gridStyle == gsYGrid || m_gridStyle == gsFull) {
        // A line for every multiple of the step strictly inside the scale;
        // lines fall on whole percents of the height, so each percent is
        // drawn once however wide the scale is.
        const qint64 range = qint64(m_maxVal) - m_minVal;
        for (int percent = 0; percent < 100; ++percent) {
            const qint64 first = std::max<qint64>(1, CeilDiv(percent * range, 100));
            const qint64 last = std::min<qint64>(range - 1, CeilDiv((percent + 1) * range, 100) - 1);
            const qint64 multiple = CeilDiv(m_minVal + first, m_gridYstep) * m_gridYstep;
            if (first > last || multiple > m_minVal + last)
                continue;
            const int y = bottom - Nearest(percent * (bottom - top) / 100.0);
            painter.drawLine(left, y, right - 1, y);
        }
    }
}

// A value printed with its top at top, centred on centre, on a cell of the
// chart's background.
void TMavoTrend::DrawLabel(QPainter& painter, const Geometry& g, int centre, int top, qint64 value) const
{
    const QString text = QString::number(value);
    const int width = painter.fontMetrics().horizontalAdvance(text);
    const Label label{QRect(centre - width / 2, top, width, kLabelHeight), text};
    PaintLabel(painter, label);
    g.labels->append(label);
}

void TMavoTrend::PaintLabel(QPainter& painter, const Label& label) const
{
    painter.fillRect(label.cell, m_backGround);
    painter.save();
    painter.setClipRect(label.cell);
    painter.setPen(LabelColor());
    painter.drawText(label.cell.left(), label.cell.top() + kLabelHeight - 1, label.text);
    painter.restore();
}

void TMavoTrend::DrawBars(QPainter& painter, const Geometry& g) const
{
    const bool values = m_options.testFlag(toValues);
    const int extra = values ? kLabelHeight : 0;
    for (int i = 0; i < m_divisions; ++i) {
        const int x1 = Nearest(kMargin + i * g.step);
        const int x2 = Nearest(x1 + g.step);
        const int h = SampleHeight(m_primary[size_t(i)], extra);
        DrawRectangle(painter, QPoint(x1, g.height - kMargin), QPoint(x2, g.height - h), m_color, g.outline);
        if (values)
            DrawLabel(
                painter, g, x1 + Nearest(g.step) / 2, g.height - h - kLabelHeight, m_primary[size_t(i)]);
    }
}

void TMavoTrend::DrawLine(QPainter& painter, const Geometry& g) const
{
    const auto polyline = [&](const std::array<int, kCapacity>& series) {
        QPolygon points;
        for (int i = 0; i < m_divisions; ++i)
            points << QPoint(Nearest(kMargin + i * g.step + Nearest(g.step) / 2),
                g.height - SampleHeight(series[size_t(i)], 0));
        return points;
    };
    painter.setPen(m_color);
    painter.drawPolyline(polyline(m_primary));
    if (m_options.testFlag(toTwin)) {
        painter.setPen(m_colorBase);
        painter.setBrush(m_colorBase);
        painter.drawPolyline(polyline(m_twin));
    }
}

void TMavoTrend::DrawScatter(QPainter& painter, const Geometry& g) const
{
    const int r = std::max(1, Nearest(g.step / 4));
    for (int i = 0; i < m_divisions; ++i) {
        const int cx = Nearest(kMargin + i * g.step + 2 * r);
        const auto square = [&](int sample, const QColor& color) {
            const int v = SampleHeight(sample, 2 * r) + r;
            DrawRectangle(painter, QPoint(cx - r, g.height - (v - r)), QPoint(cx + r, g.height - (v + r)),
                color, color);
        };
        square(m_primary[size_t(i)], m_color);
        if (m_options.testFlag(toTwin))
            square(m_twin[size_t(i)], m_colorBase);
    }
}

void TMavoTrend::Draw3D(QPainter& painter, const Geometry& g) const
{
    const double step = double(g.width - 2 * kMargin - kDepth) / m_divisions;
    const bool twin = m_options.testFlag(toTwin);
    const int H = g.height;
    const QColor side = OffsetColor(m_color, -60);
    const QColor lid = OffsetColor(m_color, 60);
    int xl = kMargin;
    for (int i = 0; i < m_divisions; ++i) {
        const int xr = Nearest(kMargin + (i + 1) * step);
        int top = SampleHeight(m_primary[size_t(i)], kDepth);
        int bottom = twin ? SampleHeight(m_twin[size_t(i)], kDepth) : kMargin;
        if (top < bottom)
            std::swap(top, bottom);
        DrawShape(painter,
            QPolygon(
                {QPoint(xl, H - bottom), QPoint(xr, H - bottom), QPoint(xr, H - top), QPoint(xl, H - top)}),
            m_color);
        DrawShape(painter,
            QPolygon({QPoint(xr, H - bottom), QPoint(xr + kDepth, H - (bottom + kDepth)),
                QPoint(xr + kDepth, H - (top + kDepth)), QPoint(xr, H - top)}),
            side);
        DrawShape(painter,
            QPolygon({QPoint(xr, H - top), QPoint(xr + kDepth, H - (top + kDepth)),
                QPoint(xl + kDepth, H - (top + kDepth)), QPoint(xl, H - top)}),
            lid);
        if (m_options.testFlag(toValues)) {
            const qint64 value = twin ? std::abs(qint64(m_primary[size_t(i)]) - m_twin[size_t(i)])
                                      : qint64(m_primary[size_t(i)]);
            DrawLabel(painter, g, xl + Nearest(step) / 2, H - top - kLabelHeight, value);
        }
        xl = xr;
    }
}

void TMavoTrend::DrawFilled(QPainter& painter, const Geometry& g) const
{
    const int H = g.height;
    for (int i = 0; i + 1 < m_divisions; ++i) {
        const int x = Nearest(kMargin + i * g.step + g.step / 2);
        const int x2 = Nearest(x + g.step);
        const int ya = SampleHeight(m_primary[size_t(i)], 0);
        const int yb = SampleHeight(m_primary[size_t(i + 1)], 0);
        DrawShape(painter,
            QPolygon(
                {QPoint(x, H - kMargin), QPoint(x2, H - kMargin), QPoint(x2, H - yb), QPoint(x, H - ya)}),
            m_color);
    }
}

QImage TMavoTrend::Bitmap(qreal ratio) const
{
    if (width() <= 0 || height() <= 0)
        return QImage();
    QImage bitmap(size(), QImage::Format_RGB32);
    bitmap.fill(m_backGround);
    QPainter painter(&bitmap);
    painter.setFont(LabelFont());
    const QRect client(QPoint(0, 0), contentsRect().size());
    const bool grid = m_gridStyle != gsNone;
    if (grid)
        DrawGrid(painter, client);
    QList<Label> labels;
    const Geometry g{width(), height(), double(width() - 2 * kMargin) / m_divisions,
        grid ? m_gridColor : QColor(Qt::black), &labels};
    painter.setPen(g.outline);
    painter.setBrush(m_color);
    switch (m_style) {
    case tsBar:
        DrawBars(painter, g);
        break;
    case tsLine:
        DrawLine(painter, g);
        break;
    case tsScatter:
        DrawScatter(painter, g);
        break;
    case ts3D:
        Draw3D(painter, g);
        break;
    case tsFilled:
        DrawFilled(painter, g);
        break;
    }
    painter.end();
    if (ratio == 1)
        return bitmap;
    // Painting at the finer resolution would move one-pixel lines by a
    // device pixel (aliased strokes straddle their coordinate); the pixels
    // are enlarged as they are instead, and only the text gains detail.
    QImage fine = bitmap.scaled(size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    fine.setDevicePixelRatio(ratio);
    QPainter finePainter(&fine);
    finePainter.setFont(LabelFont());
    for (const Label& label : labels)
        PaintLabel(finePainter, label);
    return fine;
}

// The chart is drawn off screen in one piece and copied in one step, so
// it never flickers while it is rebuilt.
void TMavoTrend::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect client = contentsRect();
    const qreal ratio = devicePixelRatioF();
    painter.drawImage(QRectF(client), Bitmap(ratio), QRectF(QPointF(0, 0), QSizeF(client.size()) * ratio));
    drawFrame(&painter);
}
