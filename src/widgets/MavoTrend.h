// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <array>
#include <functional>

class QPainter;

// A chart of a fixed number of integer samples, drawn as bars, a line,
// squares, 3D blocks or a filled area over an optional grid. New samples
// enter at the right and push the oldest out at the left. The frame is the
// panel's own; everything inside it is painted by the chart, through an
// off-screen image of the whole control.
class TMavoTrend : public QFrame {
    Q_OBJECT
    Q_PROPERTY(TTrendStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TTrendOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(TGridStyle GridStyle READ GridStyle WRITE SetGridStyle)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor ColorBase READ ColorBase WRITE SetColorBase)
    Q_PROPERTY(QColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(QColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(int GridXstep READ GridXstep WRITE SetGridXstep)
    Q_PROPERTY(int GridYstep READ GridYstep WRITE SetGridYstep)
    Q_PROPERTY(int MinVal READ MinVal WRITE SetMinVal)
    Q_PROPERTY(int MaxVal READ MaxVal WRITE SetMaxVal)
    Q_PROPERTY(int Divisions READ Divisions WRITE SetDivisions)
    Q_PROPERTY(bool AutoScale READ AutoScale WRITE SetAutoScale)

public:
    enum TTrendStyle { tsBar, tsLine, tsScatter, ts3D, tsFilled };
    Q_ENUM(TTrendStyle)
    enum TTrendOption { toValues = 0x1, toTwin = 0x2 };
    Q_ENUM(TTrendOption)
    Q_DECLARE_FLAGS(TTrendOptions, TTrendOption)
    Q_FLAG(TTrendOptions)
    enum TGridStyle { gsNone, gsXGrid, gsYGrid, gsFull };
    Q_ENUM(TGridStyle)

    // Both series always hold this many entries; Divisions says how many
    // of them are shown.
    static constexpr int kCapacity = 256;
    static constexpr int kMinDivisions = 2;
    // Space kept free around the series, in pixels.
    static constexpr int kMargin = 3;
    // How far the 3D blocks reach to the right and up.
    static constexpr int kDepth = 10;
    // Height of the value labels' text cell, in pixels.
    static constexpr int kLabelHeight = 8;

    explicit TMavoTrend(QWidget* parent = nullptr);

    TTrendStyle Style() const { return m_style; }
    void SetStyle(TTrendStyle style);
    TTrendOptions Options() const { return m_options; }
    void SetOptions(TTrendOptions options);
    TGridStyle GridStyle() const { return m_gridStyle; }
    void SetGridStyle(TGridStyle style);
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    QColor ColorBase() const { return m_colorBase; }
    void SetColorBase(const QColor& color);
    QColor BackGroundColor() const { return m_backGround; }
    void SetBackGroundColor(const QColor& color);
    QColor GridColor() const { return m_gridColor; }
    void SetGridColor(const QColor& color);
    int GridXstep() const { return m_gridXstep; }
    // A step of 0 or less is refused; one wider than the control is the width.
    void SetGridXstep(int step);
    int GridYstep() const { return m_gridYstep; }
    // A step of 0 or less is refused; one above the control's height is the height.
    void SetGridYstep(int step);
    int MinVal() const { return m_minVal; }
    // Kept below MaxVal.
    void SetMinVal(int value);
    int MaxVal() const { return m_maxVal; }
    // Kept above MinVal.
    void SetMaxVal(int value);
    int Divisions() const { return m_divisions; }
    void SetDivisions(int divisions);
    bool AutoScale() const { return m_autoScale; }
    void SetAutoScale(bool on);

    // Shifts the shown samples one place to the left and puts value in at
    // the right, limited to MinVal..MaxVal; with AutoScale, MaxVal follows
    // the largest entry of both series instead of limiting the value.
    Q_INVOKABLE void AddValue(int value);
    // Each of red, green and blue moved by delta and kept within 0..255.
    Q_INVOKABLE QColor OffsetColor(const QColor& color, int delta) const;

    // Entry index of the primary and the twin series (0 outside 0..255).
    Q_INVOKABLE int Value(int index) const;
    Q_INVOKABLE int TwinValue(int index) const;

    // What a screen reader says of the shown sample index, given its index
    // and its value; without a function, the two numbers.
    void SetSampleText(std::function<QString(int index, int value)> text) { m_sampleText = std::move(text); }
    QString SampleText(int index) const;

    // The horizontal centre of sample index's bar in the control's
    // coordinates, for captions placed beside the chart.
    int BarCenter(int index) const;

    // The whole control as the chart paints it, before the part inside the
    // frame is copied to the screen: width() x height() pixels, the grid
    // laid over the area inside the frame with its origin at the top left.
    // At a device pixel ratio above 1 (a scaled screen) each of those pixels
    // becomes ratio x ratio device pixels of its colour, so every line and
    // bar keeps its place, and only the labels are drawn anew at the
    // screen's resolution.
    QImage Bitmap(qreal ratio = 1) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Geometry;
    struct Label {
        QRect cell;
        QString text;
    };

    void Changed();
    // Stores a setting and repaints only when it really changed.
    template <typename T> void Store(T& setting, const T& value);
    int SampleHeight(int sample, int extra) const;
    QColor LabelColor() const;
    void DrawGrid(QPainter& painter, const QRect& client) const;
    void DrawLabel(QPainter& painter, const Geometry& g, int centre, int top, qint64 value) const;
    void PaintLabel(QPainter& painter, const Label& label) const;
    void DrawBars(QPainter& painter, const Geometry& g) const;
    void DrawLine(QPainter& painter, const Geometry& g) const;
    void DrawScatter(QPainter& painter, const Geometry& g) const;
    void Draw3D(QPainter& painter, const Geometry& g) const;
    void DrawFilled(QPainter& painter, const Geometry& g) const;

    TTrendStyle m_style = tsBar;
    TTrendOptions m_options;
    TGridStyle m_gridStyle = gsFull;
    QColor m_color{255, 0, 0};
    QColor m_colorBase{0, 255, 255};
    QColor m_backGround{255, 255, 255};
    QColor m_gridColor{192, 192, 192};
    int m_gridXstep = 10;
    int m_gridYstep = 10;
    int m_minVal = 0;
    int m_maxVal = 100;
    int m_divisions = 20;
    bool m_autoScale = false;
    std::array<int, kCapacity> m_primary{};
    std::array<int, kCapacity> m_twin{};
    std::function<QString(int, int)> m_sampleText;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TMavoTrend::TTrendOptions)
