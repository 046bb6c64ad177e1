// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainter;

// Order matters: the ordinal is the lamp's row in the sprite sheet.
enum TLEDColor { lcRed, lcGreen, lcYellow, lcBlue, lcPurple, lcWhite };

enum TCaptionAlignment { caLeft, caRight, caTop, caBottom };

class TLED;

// The one sprite sheet every lamp is cut from. It is generated when the first
// lamp is created and released with the last one.
class TLEDBitmap {
public:
    static constexpr int LampWidth = 12;
    static constexpr int LampHeight = 13;
    static constexpr int UnlitColumn = 0;
    static constexpr int LitColumn = 1;
    static constexpr int OutlineRow = 6;

    static TLEDBitmap& Attach(TLED* lamp);
    static void Detach(TLED* lamp);
    static const TLEDBitmap* Shared(); // nullptr while no lamp exists

    static QImage Generate();

    const QImage& Sheet() const { return m_sheet; }
    QRgb TransparentColor() const { return m_transparent; }
    const QList<TLED*>& Users() const { return m_users; }

    void DrawCell(QPainter& painter, QPoint at, int column, int row, const QColor& background) const;
    // An unlit lamp of that colour as it is drawn: the sheet's unlit cell
    // with a body much darker than the lit one's, so that lit and unlit
    // never pass for each other on a light or a dark window.
    void DrawUnlit(QPainter& painter, QPoint at, TLEDColor color, const QColor& background) const;
    // The unlit lamps as drawn, one 12 x 13 cell a colour in TLEDColor
    // order, transparent where the parent shows.
    static QImage UnlitLamps(const QImage& sheet);

private:
    TLEDBitmap();

    QImage m_sheet;
    QRgb m_transparent;
    QImage m_cutOut; // the sheet with its transparent colour turned into alpha
    QImage m_unlit; // UnlitLamps of the sheet
    QList<TLED*> m_users;
};

// The sheet as the lamps use it: 24 x 91, transparent colour teal (0,128,128).
const QImage& LedSpriteSheet();

class TLED : public QWidget {
    Q_OBJECT
public:
    explicit TLED(QWidget* parent = nullptr);
    ~TLED() override;

    bool Lit() const { return m_lit; }
    void SetLit(bool lit);
    TLEDColor Color() const { return m_color; }
    void SetColor(TLEDColor color);
    // Whether a screen reader is told the colour too, for a lamp whose
    // colour carries meaning (red or green); off by default.
    bool ColorSpoken() const { return m_colorSpoken; }
    void SetColorSpoken(bool spoken) { m_colorSpoken = spoken; }

    // Where the lamp is drawn: the whole control here, a part of it in subclasses.
    virtual QRect LampRect() const;

    QSize sizeHint() const override;

signals:
    void OnChangeState(TLED* sender);

protected:
    enum class TSizing { FixedLamp, Free };
    TLED(QWidget* parent, TSizing sizing);

    void DrawLamp(QPainter& painter) const;
    QColor ParentColor() const;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void StateChanged();

    bool m_lit = false;
    TLEDColor m_color = lcRed;
    bool m_colorSpoken = false;
    TLEDBitmap& m_bitmap;
};

class TLEDLabel : public TLED {
    Q_OBJECT
public:
    static constexpr int MaxCaptionLength = 255;

    explicit TLEDLabel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    TCaptionAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TCaptionAlignment alignment);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    QRect LampRect() const override;
    QRect TextRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawCaption(QPainter& painter) const;
    int TextFlags() const;

    QString m_caption;
    TCaptionAlignment m_alignment = caRight;
    bool m_transparent = false;
};
