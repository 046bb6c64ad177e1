// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MavoTrend.h"

#include <QMetaEnum>
#include <QTest>

namespace {

constexpr QRgb kGreen = qRgb(0, 128, 0);
constexpr QRgb kSilver = qRgb(192, 192, 192);

// The DCF77 page's chart: 624 x 169 with a two-pixel frame, so the grid
// works on a client area of 620 x 165 while the series use the full size.
void LikeTheDcf77Chart(TMavoTrend& chart)
{
    chart.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    chart.resize(624, 169);
    chart.SetColor(QColor(kGreen));
    chart.SetMaxVal(60);
    chart.SetDivisions(24);
    chart.SetOptions(TMavoTrend::toValues);
    chart.SetGridStyle(TMavoTrend::gsYGrid);
    chart.SetGridXstep(25);
    chart.SetGridYstep(5);
}

// Text pixels: dark, and neither a bar nor a grid line.
bool Ink(QRgb pixel) { return pixel != kGreen && pixel != kSilver && qGray(pixel) < 200; }

// Text in black on the white background, smoothed or not.
bool Grey(QRgb pixel) { return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel); }

QStringList Keys(const char* enumName)
{
    const QMetaEnum meta
        = TMavoTrend::staticMetaObject.enumerator(TMavoTrend::staticMetaObject.indexOfEnumerator(enumName));
    QStringList keys;
    for (int i = 0; i < meta.keyCount(); ++i)
        keys << QLatin1String(meta.key(i));
    return keys;
}

} // namespace

class MavoTrendTest : public QObject {
    Q_OBJECT

private slots:
    void settingsKeepTheirRules_data();
    void settingsKeepTheirRules();
    void addValue_data();
    void addValue();
    void drivenByName();
    void offsetColor_data();
    void offsetColor();
    void barsOfTheWorkedExample_data();
    void barsOfTheWorkedExample();
    void labelsKeepTheActiveTextColour_data();
    void labelsKeepTheActiveTextColour();
    void xGridCountsFromTheRightEdge_data();
    void xGridCountsFromTheRightEdge();
    void yGridAtWholePercents();
    void optionsAStyleIgnores_data();
    void optionsAStyleIgnores();
    void widestScalePaintsEveryStyle();
    void scaledScreenKeepsThePixels_data();
    void scaledScreenKeepsThePixels();
};

void MavoTrendTest::settingsKeepTheirRules_data()
{
    QTest::addColumn<QByteArray>("setting");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("Divisions 1") << QByteArray("Divisions") << 1 << 2;
    QTest::newRow("Divisions 300") << QByteArray("Divisions") << 300 << 256;
    QTest::newRow("MinVal at MaxVal") << QByteArray("MinVal") << 100 << 99;
    QTest::newRow("MaxVal below MinVal") << QByteArray("MaxVal") << -5 << 1;
    QTest::newRow("GridXstep 0 refused") << QByteArray("GridXstep") << 0 << 10;
    QTest::newRow("GridXstep negative refused") << QByteArray("GridXstep") << -3 << 10;
    QTest::newRow("GridXstep beyond width") << QByteArray("GridXstep") << 1000 << 624;
    QTest::newRow("GridYstep 0 refused") << QByteArray("GridYstep") << 0 << 10;
    QTest::newRow("GridYstep beyond height") << QByteArray("GridYstep") << 500 << 169;
}

void MavoTrendTest::settingsKeepTheirRules()
{
    QFETCH(QByteArray, setting);
    QFETCH(int, value);
    QFETCH(int, stored);
    TMavoTrend chart;
    chart.resize(624, 169);
    QVERIFY(chart.setProperty(setting, value));
    QCOMPARE(chart.property(setting).toInt(), stored);
}

void MavoTrendTest::addValue_data()
{
    QTest::addColumn<bool>("autoScale");
    QTest::addColumn<int>("divisions");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("divisionsBeforeLast");
    QTest::addColumn<int>("newest");
    QTest::addColumn<int>("maxVal");
    QTest::newRow("raised to MinVal") << false << 24 << QList<int>{-7} << 24 << 0 << 60;
    QTest::newRow("limited to MaxVal") << false << 24 << QList<int>{75} << 24 << 60 << 60;
    QTest::newRow("auto-scaled") << true << 24 << QList<int>{75} << 24 << 75 << 75;
    QTest::newRow("large value still shown") << true << 3 << QList<int>{75, 10, 10} << 3 << 10 << 75;
    QTest::newRow("large value shifted out") << true << 3 << QList<int>{75, 10, 10, 10} << 3 << 10 << 10;
    QTest::newRow("hidden entries count") << true << 4 << QList<int>{50, 5} << 2 << 5 << 50;
    QTest::newRow("scale stays above MinVal") << true << 24 << QList<int>{0} << 24 << 0 << 1;
}

void MavoTrendTest::addValue()
{
    QFETCH(bool, autoScale);
    QFETCH(int, divisions);
    QFETCH(QList<int>, values);
    QFETCH(int, divisionsBeforeLast);
    QFETCH(int, newest);
    QFETCH(int, maxVal);
    TMavoTrend chart;
    chart.SetMaxVal(60);
    chart.SetAutoScale(autoScale);
    chart.SetDivisions(divisions);
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i == values.size() - 1)
            chart.SetDivisions(divisionsBeforeLast);
        chart.AddValue(values[i]);
    }
    QCOMPARE(chart.Value(chart.Divisions() - 1), newest);
    QCOMPARE(chart.MaxVal(), maxVal);
}

void MavoTrendTest::drivenByName()
{
    QCOMPARE(Keys("TTrendStyle"), QStringList({"tsBar", "tsLine", "tsScatter", "ts3D", "tsFilled"}));
    QCOMPARE(Keys("TTrendOptions"), QStringList({"toValues", "toTwin"}));
    QCOMPARE(Keys("TGridStyle"), QStringList({"gsNone", "gsXGrid", "gsYGrid", "gsFull"}));

    TMavoTrend chart;
    QVERIFY(chart.setProperty("Style", "ts3D"));
    QVERIFY(chart.setProperty("GridStyle", "gsXGrid"));
    QVERIFY(chart.setProperty("Options", QVariant::fromValue(TMavoTrend::TTrendOptions(TMavoTrend::toTwin))));
    QVERIFY(chart.setProperty("BackGroundColor", QColor(Qt::black)));
    QCOMPARE(chart.Style(), TMavoTrend::ts3D);
    QCOMPARE(chart.GridStyle(), TMavoTrend::gsXGrid);
    QCOMPARE(chart.Options(), TMavoTrend::TTrendOptions(TMavoTrend::toTwin));
    QCOMPARE(chart.BackGroundColor(), QColor(Qt::black));
    // Twenty-four values replace the whole series; the last stands at the right.
    chart.SetDivisions(24);
    for (int hour = 0; hour < 24; ++hour)
        QVERIFY(QMetaObject::invokeMethod(&chart, "AddValue", Q_ARG(int, hour + 1)));
    for (int i = 0; i < 24; ++i)
        QCOMPARE(chart.Value(i), i + 1);
}

void MavoTrendTest::offsetColor_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QColor>("offset");
    QTest::newRow("darker") << QColor(0, 128, 0) << -60 << QColor(0, 68, 0);
    QTest::newRow("lighter") << QColor(0, 128, 0) << 60 << QColor(60, 188, 60);
    QTest::newRow("each byte kept in range") << QColor(200, 250, 10) << 60 << QColor(255, 255, 70);
}

void MavoTrendTest::offsetColor()
{
    QFETCH(QColor, color);
    QFETCH(int, delta);
    QFETCH(QColor, offset);
    QCOMPARE(TMavoTrend().OffsetColor(color, delta), offset);
}

// Step 25.75: bar i runs from nearest(3 + 25.75 i) to nearest(x1 + 25.75),
// its height is value * 155 div 60 + 3 and its label sits on top of it.
void MavoTrendTest::barsOfTheWorkedExample_data()
{
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("x2");
    QTest::addColumn<int>("top");
    QTest::newRow("60 at hour 0") << 3 << 29 << 11;
    QTest::newRow("30 at hour 1") << 29 << 55 << 89;
    QTest::newRow("12 at hour 2, half to even") << 54 << 80 << 135;
    QTest::newRow("MinVal at hour 3") << 80 << 106 << 166;
    QTest::newRow("45 at hour 23") << 595 << 621 << 50;
}

void MavoTrendTest::barsOfTheWorkedExample()
{
    QFETCH(int, x1);
    QFETCH(int, x2);
    QFETCH(int, top);
    TMavoTrend chart;
    LikeTheDcf77Chart(chart);
    QList<int> values(24, 0);
    values[0] = 60;
    values[1] = 30;
    values[2] = 12;
    values[23] = 45;
    for (const int value : values)
        chart.AddValue(value);
    const QImage image = chart.Bitmap();
    QCOMPARE(image.size(), QSize(624, 169));

    if (top < 166) {
        QCOMPARE(image.pixel(x1 + 2, top + 2), kGreen);
        QCOMPARE(image.pixel(x1, top + 2), kSilver);
        QCOMPARE(image.pixel(x2 - 1, top + 2), kSilver);
        QCOMPARE(image.pixel(x1 + 2, top), kSilver);
        QVERIFY(image.pixel(x1 + 2, top - 1) != kGreen);
        QCOMPARE(image.pixel(x1 + 2, 165), kSilver);
    } else {
        for (int y = 0; y < image.height(); ++y)
            for (int x = x1; x < x2; ++x)
                QVERIFY(image.pixel(x, y) != kGreen);
    }

    QRect ink;
    for (int y = qMax(0, top - 12); y < top; ++y)
        for (int x = x1 + 1; x < x2 - 1; ++x)
            if (Ink(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.top() >= top - 8 && ink.bottom() < top, qPrintable(QString::number(ink.top())));
    QVERIFY2(
        qAbs((ink.left() + ink.right() + 1) / 2 - (x1 + 13)) <= 2, qPrintable(QString::number(ink.left())));
}

// A disabled chart (the link closed) still shows the figures read before.
void MavoTrendTest::labelsKeepTheActiveTextColour_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

void MavoTrendTest::labelsKeepTheActiveTextColour()
{
    QFETCH(bool, enabled);
    TMavoTrend chart;
    LikeTheDcf77Chart(chart);
    chart.setEnabled(enabled);
    chart.AddValue(30);
    const QImage image = chart.Bitmap();
    // The newest bar stands at hour 23, 30 high: its label above row 89.
    int darkest = 255;
    for (int y = 77; y < 89; ++y)
        for (int x = 596; x < 620; ++x)
            if (Ink(image.pixel(x, y)))
                darkest = qMin(darkest, qGray(image.pixel(x, y)));
    // Smoothed black text on white; the disabled grey would be 190 at best.
    QVERIFY2(darkest < 128, qPrintable(QString::number(darkest)));
}

void MavoTrendTest::xGridCountsFromTheRightEdge_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<int>>("columns");
    QList<int> every25;
    for (int x = 595; x >= 20; x -= 25)
        every25 << x;
    QTest::newRow("25") << 25 << every25;
    QList<int> every31;
    for (int x = 589; x >= 31; x -= 31)
        every31 << x;
    QTest::newRow("31: nothing at the left edge") << 31 << every31;
    QTest::newRow("as wide as the client") << 620 << QList<int>{};
}

void MavoTrendTest::xGridCountsFromTheRightEdge()
{
    QFETCH(int, step);
    QFETCH(QList<int>, columns);
    TMavoTrend chart;
    LikeTheDcf77Chart(chart);
    chart.SetOptions({});
    chart.SetGridStyle(TMavoTrend::gsXGrid);
    chart.SetGridXstep(step);
    const QImage image = chart.Bitmap();
    QList<int> found;
    for (int x = image.width() - 1; x >= 0; --x)
        if (image.pixel(x, 60) == kSilver)
            found << x;
    QCOMPARE(found, columns);
}

// Values 5, 10 .. 55 of 0..60 fall on 8, 16, 25, 33, 41, 50, 58, 66, 75, 83
// and 91 per cent of the client height of 165, counted from its bottom.
void MavoTrendTest::yGridAtWholePercents()
{
    TMavoTrend chart;
    LikeTheDcf77Chart(chart);
    const QImage image = chart.Bitmap();
    QList<int> found;
    for (int y = image.height() - 1; y >= 0; --y)
        if (image.pixel(5, y) == kSilver)
            found << y;
    QCOMPARE(found, QList<int>({152, 139, 124, 111, 97, 83, 69, 56, 41, 28, 15}));
}

void MavoTrendTest::optionsAStyleIgnores_data()
{
    QTest::addColumn<TMavoTrend::TTrendStyle>("style");
    QTest::addColumn<TMavoTrend::TTrendOptions>("options");
    QTest::addColumn<bool>("changes");
    QTest::newRow("bar, twin") << TMavoTrend::tsBar << TMavoTrend::TTrendOptions(TMavoTrend::toTwin) << false;
    QTest::newRow("filled, both") << TMavoTrend::tsFilled << (TMavoTrend::toValues | TMavoTrend::toTwin)
                                  << false;
    QTest::newRow("bar, values") << TMavoTrend::tsBar << TMavoTrend::TTrendOptions(TMavoTrend::toValues)
                                 << true;
    QTest::newRow("line, twin") << TMavoTrend::tsLine << TMavoTrend::TTrendOptions(TMavoTrend::toTwin)
                                << true;
    QTest::newRow("3D, values") << TMavoTrend::ts3D << TMavoTrend::TTrendOptions(TMavoTrend::toValues)
                                << true;
    QTest::newRow("scatter, twin") << TMavoTrend::tsScatter << TMavoTrend::TTrendOptions(TMavoTrend::toTwin)
                                   << true;
}

void MavoTrendTest::optionsAStyleIgnores()
{
    QFETCH(TMavoTrend::TTrendStyle, style);
    QFETCH(TMavoTrend::TTrendOptions, options);
    QFETCH(bool, changes);
    TMavoTrend chart;
    chart.resize(300, 120);
    chart.SetStyle(style);
    for (const int value : {10, 40, 90, 20, 70})
        chart.AddValue(value);
    const QImage plain = chart.Bitmap();
    chart.SetOptions(options);
    QCOMPARE(chart.Bitmap() != plain, changes);
}

// The whole int range with a grid line for every value: painting must
// neither overflow nor walk four billion values.
void MavoTrendTest::widestScalePaintsEveryStyle()
{
    TMavoTrend chart;
    chart.resize(300, 120);
    chart.SetMaxVal(std::numeric_limits<int>::max());
    chart.SetMinVal(std::numeric_limits<int>::min());
    chart.SetGridYstep(1);
    chart.SetOptions(TMavoTrend::toValues | TMavoTrend::toTwin);
    for (const int value : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 0})
        chart.AddValue(value);
    for (const auto style : {TMavoTrend::tsBar, TMavoTrend::tsLine, TMavoTrend::tsScatter, TMavoTrend::ts3D,
             TMavoTrend::tsFilled}) {
        chart.SetStyle(style);
        const QImage image = chart.Bitmap();
        int lines = 0;
        for (int y = 0; y < image.height(); ++y)
            lines += image.pixel(1, y) == kSilver;
        QVERIFY(lines > 0 && lines <= 100);
    }
}

void MavoTrendTest::scaledScreenKeepsThePixels_data()
{
    QTest::addColumn<TMavoTrend::TTrendStyle>("style");
    QTest::addColumn<TMavoTrend::TGridStyle>("grid");
    QTest::addColumn<bool>("values");
    QTest::newRow("bars, y grid") << TMavoTrend::tsBar << TMavoTrend::gsYGrid << false;
    QTest::newRow("squares, full grid") << TMavoTrend::tsScatter << TMavoTrend::gsFull << false;
    QTest::newRow("lines, x grid") << TMavoTrend::tsLine << TMavoTrend::gsXGrid << false;
    QTest::newRow("3D") << TMavoTrend::ts3D << TMavoTrend::gsNone << false;
    QTest::newRow("bars with values") << TMavoTrend::tsBar << TMavoTrend::gsYGrid << true;
    QTest::newRow("3D with values") << TMavoTrend::ts3D << TMavoTrend::gsNone << true;
}

// On a screen scaled by 2 each pixel of the chart becomes 2 x 2 of its
// colour; only the labels' text is drawn anew, at the finer resolution, so
// only grey pixels may change.
void MavoTrendTest::scaledScreenKeepsThePixels()
{
    QFETCH(TMavoTrend::TTrendStyle, style);
    QFETCH(TMavoTrend::TGridStyle, grid);
    QFETCH(bool, values);
    TMavoTrend chart;
    LikeTheDcf77Chart(chart);
    chart.SetOptions(values ? TMavoTrend::toValues : TMavoTrend::TTrendOptions());
    chart.SetStyle(style);
    chart.SetGridStyle(grid);
    for (const int value : {60, 0, 31, 12, 45, 59, 1})
        chart.AddValue(value);
    const QImage plain = chart.Bitmap();
    const QImage scaled = chart.Bitmap(2);
    QCOMPARE(scaled.size(), plain.size() * 2);
    QCOMPARE(scaled.devicePixelRatio(), 2.0);
    int redrawn = 0;
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            if (scaled.pixel(x, y) == plain.pixel(x / 2, y / 2))
                continue;
            if (!values || !Grey(scaled.pixel(x, y)) || !Grey(plain.pixel(x / 2, y / 2)))
                QFAIL(qPrintable(QStringLiteral("device pixel %1, %2").arg(x).arg(y)));
            ++redrawn;
        }
    }
    QCOMPARE(redrawn > 0, values);
}

QTEST_MAIN(MavoTrendTest)
#include "tst_mavotrend.moc"
