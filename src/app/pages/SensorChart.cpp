// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/SensorChart.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kLegendHeight = 18;
constexpr int kReadOutHeight = 18;
constexpr int kScaleWidth = 64; // the strips' value labels
constexpr int kTimeAxisHeight = 18;
constexpr int kStripGap = 6;
constexpr int kMargin = 6;
constexpr qint64 kMinimumSpanMs = 60 * 1000;
// Neighbouring columns closer than this are joined by a line; a longer
// gap (the link closed meanwhile) stays open.
constexpr qint64 kJoinGapMs = 60 * 1000;
constexpr int kMaxTimeLabels = 8;

struct SeriesLook {
    Sensor sensor;
    const char* name;
    const char* unit;
    QColor color; // as drawn on a light background
};

const std::array<SeriesLook, kSensorCount>& Looks()
{
    static const std::array<SeriesLook, kSensorCount> looks = {{
        {Sensor::Temperature, QT_TRANSLATE_NOOP("SensorChart", "Temperature"), "°C", QColor(0xc0, 0x30, 0x30)},
        {Sensor::Humidity, QT_TRANSLATE_NOOP("SensorChart", "Humidity"), "%", QColor(0x20, 0x60, 0xc0)},
        {Sensor::Pressure, QT_TRANSLATE_NOOP("SensorChart", "Air pressure"), "hPa", QColor(0x20, 0x90, 0x30)},
        {Sensor::Light, QT_TRANSLATE_NOOP("SensorChart", "Light"), "", QColor(0xd0, 0x80, 0x00)},
    }};
    return looks;
}

QString WithUnit(float value, const char* unit)
{
    const QString number = QString::number(double(value), 'g', 6);
    return *unit ? number + QChar(' ') + QString::fromUtf8(unit) : number;
}

// The value range a strip spans: the data's, a little wider so that lines
// do not run along the edges, out to whole numbers as the clock sends them.
std::pair<float, float> StripScale(const std::vector<ColumnRange>& columns)
{
    float low = 0;
    float high = 0;
    bool any = false;
    for (const ColumnRange& column : columns) {
        if (column.Empty())
            continue;
        low = any ? std::min(low, column.low) : column.low;
        high = any ? std::max(high, column.high) : column.high;
        any = true;
    }
    const float pad = std::max(0.5f, (high - low) * 0.05f);
    return {std::floor(low - pad), std::ceil(high + pad)};
}

// The step between time labels: the shortest of a person's usual steps
// that leaves at most kMaxTimeLabels of them.
qint64 TimeStepMs(qint64 spanMs)
{
    static const qint64 steps[] = {10, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600};
    for (const qint64 step : steps)
        if (spanMs / (step * 1000) < kMaxTimeLabels)
            return step * 1000;
    return 21600 * 1000;
}

} // namespace

SensorChart::SensorChart(const SensorHistory& history, QWidget* parent)
    : QFrame(parent)
    , history_(history)
{
    setObjectName(QStringLiteral("SensorChart"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMouseTracking(true);
    setAccessibleName(tr("Sensors over time"));
    setAccessibleDescription(tr("Temperature, humidity, air pressure and light of this session"));
}

QVariantList SensorChart::Series(Sensor sensor) const
{
    QVariantList values;
    values.reserve(qsizetype(history_.Size()));
    for (const SensorSample& sample : history_.Samples())
        values << (sample.Has(sensor) ? QVariant(double(sample.Value(sensor))) : QVariant());
    return values;
}

void SensorChart::HistoryChanged() { update(); }

std::pair<qint64, qint64> SensorChart::ShownSpan() const
{
    if (history_.IsEmpty())
        return {0, kMinimumSpanMs};
    const qint64 newest = history_.Samples().back().msecsUtc + 1;
    return {std::min(history_.Samples().front().msecsUtc, newest - kMinimumSpanMs), newest};
}

QRect SensorChart::PlotRect() const
{
    return contentsRect().adjusted(kMargin + kScaleWidth, kMargin + kLegendHeight + kReadOutHeight, -kMargin,
        -kMargin - kTimeAxisHeight);
}

QRect SensorChart::StripRect(int strip) const
{
    const QRect plot = PlotRect();
    const int height = (plot.height() - (kSensorCount - 1) * kStripGap) / kSensorCount;
    return {plot.left(), plot.top() + strip * (height + kStripGap), plot.width(), height};
}

// The light palette's colours, lightened on a dark background so that each
// line stands out from it as much.
QColor SensorChart::SeriesColor(Sensor sensor) const
{
    const QColor color = Looks()[std::size_t(sensor)].color;
    return palette().color(QPalette::Base).lightness() < 128 ? color.lighter(160) : color;
}

void SensorChart::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(contentsRect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    DrawLegend(painter);
    const auto [fromMs, toMs] = ShownSpan();
    for (const SeriesLook& look : Looks())
        DrawStrip(painter, look.sensor, fromMs, toMs);
    DrawTimeAxis(painter, fromMs, toMs);
    if (history_.IsEmpty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(PlotRect(), Qt::AlignCenter, tr("No measurements yet"));
        return;
    }
    DrawReadOut(painter, fromMs, toMs);
}

void SensorChart::DrawLegend(QPainter& painter) const
{
    int left = contentsRect().left() + kMargin + kScaleWidth;
    const int top = contentsRect().top() + kMargin;
    for (const SeriesLook& look : Looks()) {
        painter.fillRect(left, top + 5, 16, 4, SeriesColor(look.sensor));
        left += 20;
        const QString text
            = *look.unit ? tr("%1 (%2)").arg(tr(look.name), QString::fromUtf8(look.unit)) : tr(look.name);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(left, top, 200, kLegendHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
        left += painter.fontMetrics().horizontalAdvance(text) + 16;
    }
}

const std::vector<ColumnRange>& SensorChart::Columns(Sensor sensor, qint64 fromMs, qint64 toMs, int width) const
{
    Decimated& cache = decimated_;
    if (cache.revision != history_.Revision() || cache.fromMs != fromMs || cache.toMs != toMs || cache.width != width) {
        cache = {history_.Revision(), fromMs, toMs, width, DecimateByColumn(history_.Samples(), fromMs, toMs, width)};
    }
    return cache.columns[std::size_t(sensor)];
}

void SensorChart::DrawStrip(QPainter& painter, Sensor sensor, qint64 fromMs, qint64 toMs) const
{
    const QRect strip = StripRect(int(sensor));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(strip.adjusted(0, 0, -1, -1));
    const auto& columns = Columns(sensor, fromMs, toMs, strip.width());
    const auto [low, high] = StripScale(columns);
    // Bindings are captured by name: clang 14 cannot capture them.
    const auto y = [&strip, low = low, high = high](float value) {
        return strip.bottom() - int(double(value - low) * (strip.height() - 1) / double(high - low));
    };
    const char* unit = Looks()[std::size_t(sensor)].unit;
    painter.setPen(palette().color(QPalette::Text));
    const QRect scale(contentsRect().left() + kMargin, strip.top(), kScaleWidth - 4, strip.height());
    painter.drawText(scale, Qt::AlignRight | Qt::AlignTop, WithUnit(high, unit));
    painter.drawText(scale, Qt::AlignRight | Qt::AlignBottom, WithUnit(low, unit));

    painter.setPen(QPen(SeriesColor(sensor), 1));
    const double msPerColumn = double(toMs - fromMs) / strip.width();
    int previous = -1;
    for (int column = 0; column < int(columns.size()); ++column) {
        const ColumnRange& range = columns[std::size_t(column)];
        if (range.Empty())
            continue;
        const int x = strip.left() + column;
        painter.drawLine(x, y(range.low), x, y(range.high));
        if (previous >= 0 && (column - previous <= 2 || (column - previous) * msPerColumn <= kJoinGapMs)) {
            const ColumnRange& before = columns[std::size_t(previous)];
            painter.drawLine(strip.left() + previous, y((before.low + before.high) / 2), x,
                y((range.low + range.high) / 2));
        }
        previous = column;
    }
}

// Labels in the computer's local time, where the person reads the clock.
void SensorChart::DrawTimeAxis(QPainter& painter, qint64 fromMs, qint64 toMs) const
{
    const QRect plot = PlotRect();
    const qint64 step = TimeStepMs(toMs - fromMs);
    const qint64 offsetMs = QDateTime::fromMSecsSinceEpoch(fromMs).offsetFromUtc() * 1000LL;
    const QString format = step < 60000 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm");
    for (qint64 tick = ((fromMs + offsetMs) / step + 1) * step - offsetMs; tick < toMs; tick += step) {
        const int x = plot.left() + int(double(tick - fromMs) * plot.width() / double(toMs - fromMs));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(palette().color(QPalette::Text));
        const QString label = QDateTime::fromMSecsSinceEpoch(tick).toString(format);
        painter.drawText(QRect(x - 40, plot.bottom() + 2, 80, kTimeAxisHeight), Qt::AlignHCenter | Qt::AlignTop,
            label);
    }
}

// The sample nearest the pointer, its time marked by a line across the strips.
void SensorChart::DrawReadOut(QPainter& painter, qint64 fromMs, qint64 toMs) const
{
    const QRect plot = PlotRect();
    const auto& samples = history_.Samples();
    const SensorSample* shown = &samples.back();
    if (pointerX_ >= plot.left() && pointerX_ <= plot.right()) {
        const qint64 at = fromMs + qint64(double(pointerX_ - plot.left()) * double(toMs - fromMs) / plot.width());
        auto next = std::lower_bound(samples.begin(), samples.end(), at,
            [](const SensorSample& sample, qint64 ms) { return sample.msecsUtc < ms; });
        if (next == samples.end() || (next != samples.begin() && at - (next - 1)->msecsUtc < next->msecsUtc - at))
            --next;
        shown = &*next;
        const int x = plot.left() + int(double(shown->msecsUtc - fromMs) * plot.width() / double(toMs - fromMs));
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }
    painter.setPen(palette().color(QPalette::Text));
    const QRect line(plot.left(), contentsRect().top() + kMargin + kLegendHeight, plot.width(), kReadOutHeight);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, ReadOut(*shown));
}

QString SensorChart::ReadOut(const SensorSample& sample) const
{
    QString text = QDateTime::fromMSecsSinceEpoch(sample.msecsUtc).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    for (const SeriesLook& look : Looks()) {
        const QString value = sample.Has(look.sensor) ? WithUnit(sample.Value(look.sensor), look.unit) : tr("none");
        text += QStringLiteral("   ") + tr("%1: %2").arg(tr(look.name), value);
    }
    return text;
}

void SensorChart::mouseMoveEvent(QMouseEvent* event)
{
    pointerX_ = int(event->position().x());
    update();
}

void SensorChart::leaveEvent(QEvent* event)
{
    pointerX_ = -1;
    update();
    QFrame::leaveEvent(event);
}

void SensorChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        update();
    QFrame::changeEvent(event);
}
