// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>

class QTimer;

// A flat push button that keeps clicking while it is held down.
class TTimerSpeedButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kFirstRepeatDelay = 400;
    static constexpr int kRepeatInterval = 100;

    explicit TTimerSpeedButton(QWidget* parent = nullptr);

    bool RepeatAllowed() const { return RepeatOn; }
    void SetRepeatAllowed(bool allowed) { RepeatOn = allowed; }
    bool FocusRectShown() const { return FocusRect; }
    void SetFocusRectShown(bool shown);

    QPixmap Glyph() const { return GlyphImage; }
    void SetGlyph(const QPixmap& glyph);
    // A glyph whose shape alone counts: it is drawn in the palette's button
    // text colour, so it stays visible under a dark palette.
    void SetInkGlyph(const QPixmap& shape);
    // How many images sit side by side in the glyph: normal, disabled, pressed, latched.
    int NumGlyphs() const { return GlyphCount; }
    void SetNumGlyphs(int count);

    // One click without the pressed/released round trip of QAbstractButton::click(),
    // which would end a hold that is in progress.
    void EmitClick();
    // What the repeat timer does on each timeout; public so the hold can be stepped
    // through without waiting.
    void RepeatTick();
    bool Repeating() const;
    int RepeatTimerInterval() const; // 0 until the first press

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap CurrentImage() const;
    void StopRepeat();

    QTimer* RepeatTimer = nullptr; // most buttons are never held, so made on first press
    QPixmap GlyphImage;
    int GlyphCount = 1;
    bool InkGlyph = false;
    bool RepeatOn = false;
    bool FocusRect = false;
};

// An up and a down button stacked on each other, as at the right edge of a spin edit.
class TSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 15;

    explicit TSpinButton(QWidget* parent = nullptr);

    QPixmap UpGlyph() const;
    void SetUpGlyph(const QPixmap& glyph); // a null pixmap restores the built-in arrow
    QPixmap DownGlyph() const;
    void SetDownGlyph(const QPixmap& glyph);
    int UpNumGlyphs() const;
    void SetUpNumGlyphs(int count);
    int DownNumGlyphs() const;
    void SetDownNumGlyphs(int count);

    QWidget* FocusControl() const { return Control; }
    void SetFocusControl(QWidget* control) { Control = control; }

    TTimerSpeedButton* UpButton() const { return Up; }
    TTimerSpeedButton* DownButton() const { return Down; }
    TTimerSpeedButton* FocusedButton() const { return Focused; }

    QSize sizeHint() const override;

signals:
    void OnUpClick();
    void OnDownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TTimerSpeedButton* MakeButton(const QPixmap& glyph);
    void MarkFocus(TTimerSpeedButton* button);
    void TakeFocusOnPress(TTimerSpeedButton* pressed);

    TTimerSpeedButton* Up;
    TTimerSpeedButton* Down;
    TTimerSpeedButton* Focused;
    QPointer<QWidget> Control;
};

// A one-line integer entry with up/down buttons. The number lives only in the text.
class TSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 15;

    explicit TSpinEdit(QWidget* parent = nullptr);

    int Value() const;
    void SetValue(int value);
    int MinValue() const { return Min; }
    void SetMinValue(int value) { Min = value; }
    int MaxValue() const { return Max; }
    void SetMaxValue(int value) { Max = value; }
    int Increment() const { return Step; }
    void SetIncrement(int step) { Step = step; }
    bool EditorEnabled() const { return Editor; }
    void SetEditorEnabled(bool enabled);
    // Select the whole text when the focus arrives.
    bool AutoSelect() const { return SelectOnEntry; }
    void SetAutoSelect(bool on) { SelectOnEntry = on; }
    // Whether text may come in other than by typing (pasting, dropping, a
    // screen reader's edit) or be cut.
    bool PasteAndCutAllowed() const { return Editor && !isReadOnly(); }

    TSpinButton* Button() const { return SpinButton; }

public slots:
    void UpClick();
    void DownClick();

signals:
    void OnChange();

protected:
    virtual void WarningBeep();

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int Bounded(int value) const;
    void StepBy(qint64 delta);
    bool AcceptsTyped(const QString& text) const;
    bool AcceptsChar(QChar c) const;
    int FrameWidth() const;
    int MinimumHeight() const;
    void PlaceButton();

    TSpinButton* SpinButton;
    int Min = 0;
    int Max = 0;
    int Step = 1;
    bool Editor = true;
    bool SelectOnEntry = true;
};
