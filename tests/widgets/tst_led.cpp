// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LED.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr QRgb kTeal = qRgb(0, 128, 128);
constexpr int kOutlineRow = 6;

QImage Cell(int column, int row, QColor background)
{
    QImage cell = LedSpriteSheet().copy(column * 12, row * 13, 12, 13);
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (cell.pixel(x, y) == kTeal)
                cell.setPixel(x, y, background.rgb());
    return cell.convertToFormat(QImage::Format_RGB32);
}

// An unlit lamp as it is drawn over the background.
QImage UnlitCell(int color, QColor background)
{
    QImage cell(12, 13, QImage::Format_RGB32);
    cell.fill(background);
    QPainter(&cell).drawImage(0, 0, TLEDBitmap::UnlitLamps(LedSpriteSheet()), 0, color * 13, 12, 13);
    return cell;
}

QImage Shot(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QRect BoundsOf(const QImage& image, QRgb color)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QWidget* ParentIn(QColor color)
{
    auto* parent = new QWidget;
    QPalette palette = parent->palette();
    palette.setColor(QPalette::Window, color);
    parent->setPalette(palette);
    return parent;
}

// Paints something the label must not hide when transparent.
class StripedParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::green); }
};

class PaintCountingLED : public TLED {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        TLED::paintEvent(event);
    }
};

} // namespace

class TestLED : public QObject {
    Q_OBJECT
private slots:
    void spritePixel_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QPoint>("pixel"); // (col, line) inside the cell
        QTest::addColumn<QColor>("expected");
        QTest::newRow("lit red body") << int(lcRed) << 1 << QPoint(4, 3) << QColor(255, 0, 0);
        QTest::newRow("lit red spot") << int(lcRed) << 1 << QPoint(5, 3) << QColor(Qt::white);
        QTest::newRow("unlit red spot stays bright") << int(lcRed) << 0 << QPoint(4, 4) << QColor(255, 0, 0);
        QTest::newRow("unlit green rim black") << int(lcGreen) << 0 << QPoint(9, 3) << QColor(Qt::black);
        QTest::newRow("unlit blue rim dark") << int(lcBlue) << 0 << QPoint(9, 3) << QColor(0, 0, 128);
        QTest::newRow("unlit blue spot white") << int(lcBlue) << 0 << QPoint(4, 4) << QColor(Qt::white);
        QTest::newRow("unlit purple spot white") << int(lcPurple) << 0 << QPoint(3, 5) << QColor(Qt::white);
        QTest::newRow("lit blue is cyan") << int(lcBlue) << 1 << QPoint(5, 7) << QColor(0, 255, 255);
        QTest::newRow("unlit yellow rim grey")
            << int(lcYellow) << 0 << QPoint(10, 6) << QColor(128, 128, 128);
        QTest::newRow("unlit white rim silver")
            << int(lcWhite) << 0 << QPoint(10, 6) << QColor(192, 192, 192);
        QTest::newRow("unlit white foot silver")
            << int(lcWhite) << 0 << QPoint(4, 11) << QColor(192, 192, 192);
        QTest::newRow("unlit white 10/3 silver")
            << int(lcWhite) << 0 << QPoint(3, 10) << QColor(192, 192, 192);
        QTest::newRow("unlit white top grey") << int(lcWhite) << 0 << QPoint(4, 0) << QColor(128, 128, 128);
        QTest::newRow("lit white spot silver") << int(lcWhite) << 1 << QPoint(5, 3) << QColor(192, 192, 192);
        QTest::newRow("lit white rim stays white") << int(lcWhite) << 1 << QPoint(10, 3) << QColor(Qt::white);
        QTest::newRow("outline body transparent") << kOutlineRow << 0 << QPoint(5, 4) << QColor(kTeal);
        QTest::newRow("outline spot white") << kOutlineRow << 1 << QPoint(4, 4) << QColor(Qt::white);
        QTest::newRow("outline frame black") << kOutlineRow << 0 << QPoint(4, 1) << QColor(Qt::black);
        QTest::newRow("corner transparent") << int(lcGreen) << 1 << QPoint(0, 0) << QColor(kTeal);
    }
    void spritePixel()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QPoint, pixel);
        QFETCH(QColor, expected);
        const QImage& sheet = LedSpriteSheet();
        QCOMPARE(sheet.size(), QSize(24, 91));
        QCOMPARE(QColor(sheet.pixel(QPoint(column * 12, row * 13) + pixel)), expected);
    }

    void outlineRowIsTheSameInBothColumns()
    {
        const QImage& sheet = LedSpriteSheet();
        QCOMPARE(sheet.copy(0, 78, 12, 13), sheet.copy(12, 78, 12, 13));
    }

    void onlyThePlainLampHasAFixedSize()
    {
        TLED led;
        led.resize(20, 20);
        QCOMPARE(led.size(), QSize(12, 13));
        TLEDLabel label;
        QCOMPARE(label.size(), QSize(97, 17));
        label.resize(20, 20);
        QCOMPARE(label.size(), QSize(20, 20));
    }

    void changeIsReportedOnlyForNewValues_data()
    {
        QTest::addColumn<bool>("setsLit");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("reports");
        QTest::newRow("lit twice") << true << 1 << 1 << 1;
        QTest::newRow("unlit on unlit") << true << 0 << 0 << 0;
        QTest::newRow("lit then unlit") << true << 1 << 0 << 2;
        QTest::newRow("red on red") << false << int(lcRed) << int(lcRed) << 0;
        QTest::newRow("blue twice") << false << int(lcBlue) << int(lcBlue) << 1;
        QTest::newRow("blue then green") << false << int(lcBlue) << int(lcGreen) << 2;
    }
    void changeIsReportedOnlyForNewValues()
    {
        QFETCH(bool, setsLit);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, reports);
        TLED led;
        QSignalSpy spy(&led, &TLED::OnChangeState);
        for (int value : {first, second})
            setsLit ? led.SetLit(value != 0) : led.SetColor(TLEDColor(value));
        QCOMPARE(spy.count(), reports);
        if (reports > 0)
            QCOMPARE(spy.first().first().value<TLED*>(), &led);
    }

    void lampIsRedrawnBeforeTheChangeIsReported()
    {
        PaintCountingLED led;
        led.show();
        QVERIFY(QTest::qWaitForWindowExposed(&led));
        const int paintsBefore = led.paints;
        bool seenNewState = false;
        connect(
            &led, &TLED::OnChangeState, this, [&] { seenNewState = led.Lit() && led.paints > paintsBefore; });
        led.SetLit(true);
        QVERIFY(seenNewState);
    }

    void enabledChangeIsReported()
    {
        TLED led;
        QSignalSpy spy(&led, &TLED::OnChangeState);
        led.setEnabled(false);
        QCOMPARE(spy.count(), 1);
    }

    void disabledLampShowsOutline_data()
    {
        QTest::addColumn<bool>("lit");
        QTest::addColumn<int>("color");
        QTest::newRow("unlit red") << false << int(lcRed);
        QTest::newRow("lit green") << true << int(lcGreen);
        QTest::newRow("lit white") << true << int(lcWhite);
    }
    void disabledLampShowsOutline()
    {
        QFETCH(bool, lit);
        QFETCH(int, color);
        const QColor background(Qt::magenta);
        std::unique_ptr<QWidget> parent(ParentIn(background));
        auto* led = new TLED(parent.get());
        led->SetLit(lit);
        led->SetColor(TLEDColor(color));
        led->setEnabled(false);
        QCOMPARE(Shot(*led), Cell(0, kOutlineRow, background));
        led->setEnabled(true);
        QCOMPARE(Shot(*led), lit ? Cell(1, color, background) : UnlitCell(color, background));
    }

    // Lit and unlit once differed only in shade, and on a dark window an
    // unlit lamp passed for a lit one. The rim stays the sheet's.
    void unlitLampIsDarkOnEveryWindow_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QColor>("window");
        const char* const names[] = {"red", "green", "yellow", "blue", "purple", "white"};
        for (int color = lcRed; color <= lcWhite; ++color) {
            QTest::addRow("%s, light", names[color]) << color << QColor(239, 239, 239);
            QTest::addRow("%s, dark", names[color]) << color << QColor(53, 53, 53);
        }
    }
    void unlitLampIsDarkOnEveryWindow()
    {
        QFETCH(int, color);
        QFETCH(QColor, window);
        std::unique_ptr<QWidget> parent(ParentIn(window));
        auto* led = new TLED(parent.get());
        led->SetColor(TLEDColor(color));
        const QImage unlit = Shot(*led);
        led->SetLit(true);
        const QImage lit = Shot(*led);
        for (const QPoint body : {QPoint(5, 6), QPoint(7, 8), QPoint(4, 4)})
            QVERIFY2(QColor(unlit.pixel(body)).value() * 3 <= QColor(lit.pixel(body)).value(),
                qPrintable(QStringLiteral("body at %1,%2").arg(body.x()).arg(body.y())));
        const QImage sheetCell = Cell(0, color, window);
        for (const QPoint rim : {QPoint(4, 0), QPoint(4, 1), QPoint(1, 3), QPoint(11, 5), QPoint(5, 12)})
            QCOMPARE(QColor(unlit.pixel(rim)), QColor(sheetCell.pixel(rim)));
    }

    void lampCornersFollowTheParentColour()
    {
        std::unique_ptr<QWidget> parent(ParentIn(Qt::magenta));
        auto* led = new TLED(parent.get());
        QPalette own = led->palette();
        own.setColor(QPalette::Window, Qt::yellow); // must not matter: the parent decides
        led->setPalette(own);
        QPalette palette = parent->palette();
        palette.setColor(QPalette::Window, Qt::darkCyan);
        parent->setPalette(palette);
        QCOMPARE(QColor(Shot(*led).pixel(0, 0)), QColor(Qt::darkCyan));
    }

    void labelLayout_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("lamp");
        QTest::addColumn<QRect>("text");
        QTest::newRow("left") << int(caLeft) << QSize(97, 17) << QPoint(85, 2) << QRect(0, 0, 82, 17);
        QTest::newRow("right") << int(caRight) << QSize(97, 17) << QPoint(0, 2) << QRect(15, 0, 82, 17);
        QTest::newRow("top") << int(caTop) << QSize(97, 40) << QPoint(42, 27) << QRect(0, 0, 97, 24);
        QTest::newRow("bottom") << int(caBottom) << QSize(97, 40) << QPoint(42, 0) << QRect(0, 16, 97, 24);
        QTest::newRow("top, odd halves")
            << int(caTop) << QSize(100, 30) << QPoint(44, 17) << QRect(0, 0, 100, 14);
        QTest::newRow("right, short")
            << int(caRight) << QSize(50, 16) << QPoint(0, 1) << QRect(15, 0, 35, 16);
    }
    void labelLayout()
    {
        QFETCH(int, alignment);
        QFETCH(QSize, size);
        QFETCH(QPoint, lamp);
        QFETCH(QRect, text);
        TLEDLabel label;
        label.resize(size);
        label.SetAlignment(TCaptionAlignment(alignment));
        QCOMPARE(label.LampRect(), QRect(lamp, QSize(12, 13)));
        QCOMPARE(label.TextRect(), text);
    }

    void topCaptionSitsCentredAtTheBottomOfItsBand()
    {
        TLEDLabel label;
        label.resize(97, 40);
        label.SetAlignment(caTop);
        label.SetCaption("Error");
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label.setPalette(palette);
        QFont font = label.font();
        font.setStyleStrategy(QFont::NoAntialias);
        label.setFont(font);
        const QRect ink = BoundsOf(Shot(label).copy(0, 0, 97, 24), qRgb(0, 0, 0));
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.bottom() >= 23 - label.fontMetrics().descent() - 1);
        QVERIFY(qAbs(ink.left() - (96 - ink.right())) <= 2);
    }

    void transparentLabelKeepsTheParentDrawing_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<QColor>("behind");
        QTest::newRow("opaque") << false << QColor(Qt::magenta);
        QTest::newRow("transparent") << true << QColor(Qt::green);
    }
    void transparentLabelKeepsTheParentDrawing()
    {
        QFETCH(bool, transparent);
        QFETCH(QColor, behind);
        StripedParent parent;
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, Qt::magenta);
        parent.setPalette(palette);
        parent.resize(120, 60);
        auto* label = new TLEDLabel(&parent);
        label->setGeometry(10, 10, 97, 40);
        label->SetAlignment(caTop);
        label->SetCaption("Lamp");
        label->SetTransparent(transparent);
        const QImage shot = Shot(parent);
        QCOMPARE(QColor(shot.pixel(10 + 2, 10 + 2)), behind); // behind the caption
        QCOMPARE(QColor(shot.pixel(10 + 5, 10 + 35)), behind); // beside the lamp
    }

    void disabledCaptionIsEngraved()
    {
        TLEDLabel label;
        label.SetCaption("Engraved");
        QPalette palette = label.palette();
        palette.setColor(QPalette::Light, Qt::yellow);
        palette.setColor(QPalette::Dark, Qt::blue);
        label.setPalette(palette);
        QFont font = label.font();
        font.setStyleStrategy(QFont::NoAntialias);
        label.setFont(font);
        label.setEnabled(false);
        const QImage shot = Shot(label);
        const QRect shadow = BoundsOf(shot, QColor(Qt::blue).rgb());
        const QRect light = BoundsOf(shot, QColor(Qt::yellow).rgb());
        QVERIFY(!shadow.isEmpty());
        QCOMPARE(light.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
    }

    void captionIsCutAt255Characters()
    {
        TLEDLabel label;
        label.SetCaption(QString(300, 'x'));
        QCOMPARE(label.Caption().size(), 255);
    }

    void sheetLivesAsLongAsItsLamps()
    {
        QVERIFY(!TLEDBitmap::Shared());
        {
            TLED first;
            TLEDLabel second;
            QVERIFY(TLEDBitmap::Shared());
            QCOMPARE(TLEDBitmap::Shared()->Users().size(), 2);
            QCOMPARE(TLEDBitmap::Shared()->Sheet(), LedSpriteSheet());
        }
        QVERIFY(!TLEDBitmap::Shared());
    }
};

QTEST_MAIN(TestLED)
#include "tst_led.moc"
