// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock/SensorHistory.h"

#include <QFrame>
#include <QVariantList>

// The four sensors over the session's time, one strip each with its own
// scale, under one time axis and a legend; the pointer's time and readings
// are read out at the top. Drawn from the history's min/max per pixel
// column, so a day of samples paints as fast as a minute's. The series are
// readable from outside: each reading, or a null value where the sample
// lacked it.
class SensorChart : public QFrame {
    Q_OBJECT
    Q_PROPERTY(int SampleCount READ SampleCount)
    Q_PROPERTY(QVariantList TemperatureSeries READ TemperatureSeries)
    Q_PROPERTY(QVariantList HumiditySeries READ HumiditySeries)
    Q_PROPERTY(QVariantList PressureSeries READ PressureSeries)
    Q_PROPERTY(QVariantList LightSeries READ LightSeries)

public:
    SensorChart(const SensorHistory& history, QWidget* parent);

    int SampleCount() const { return int(history_.Size()); }
    QVariantList TemperatureSeries() const { return Series(Sensor::Temperature); }
    QVariantList HumiditySeries() const { return Series(Sensor::Humidity); }
    QVariantList PressureSeries() const { return Series(Sensor::Pressure); }
    QVariantList LightSeries() const { return Series(Sensor::Light); }
    QVariantList Series(Sensor sensor) const;

    // The history has grown: paint it again.
    void HistoryChanged();
    // The time span drawn: from the oldest sample to the newest, at least a minute.
    std::pair<qint64, qint64> ShownSpan() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect PlotRect() const;
    QRect StripRect(int strip) const;
    QColor SeriesColor(Sensor sensor) const;
    void DrawLegend(QPainter& painter) const;
    void DrawStrip(QPainter& painter, Sensor sensor, qint64 fromMs, qint64 toMs) const;
    void DrawTimeAxis(QPainter& painter, qint64 fromMs, qint64 toMs) const;
    void DrawReadOut(QPainter& painter, qint64 fromMs, qint64 toMs) const;
    QString ReadOut(const SensorSample& sample) const;
    // The columns of a strip, decimated again only when the history, the
    // span or the width changed, so moving the pointer costs no pass over
    // a day of samples.
    const std::vector<ColumnRange>& Columns(Sensor sensor, qint64 fromMs, qint64 toMs, int width) const;

    struct Decimated {
        quint64 revision = ~0ULL;
        qint64 fromMs = 0;
        qint64 toMs = 0;
        int width = -1;
        SensorColumns columns;
    };

    const SensorHistory& history_;
    int pointerX_ = -1; // none while the pointer is outside
    mutable Decimated decimated_;
};
