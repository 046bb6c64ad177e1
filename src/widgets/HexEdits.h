// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// A one-line entry for a non-negative number written in base 16, 10, 8 or 2.
// Every keystroke that would leave anything but a number in its base (or,
// with Validate on, a number outside MinValue..MaxValue) is refused before it
// changes the text, and the number is written back in plain form when the
// focus leaves. The number lives only in the text.
class THexEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue NOTIFY OnChange)
    Q_PROPERTY(TEditBase NumBase READ NumBase WRITE SetNumBase)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(bool Validate READ Validate WRITE SetValidate)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
public:
    enum TEditBase { ebHex, ebDec, ebOct, ebBin };
    Q_ENUM(TEditBase)

    explicit THexEdit(QWidget* parent = nullptr);

    int Value() const;
    // Negative values show as 0; with Validate the bounds apply as well.
    void SetValue(int value);
    TEditBase NumBase() const { return Base; }
    // The same number, shown in the new base.
    void SetNumBase(TEditBase base);
    int MinValue() const { return Min; }
    void SetMinValue(int value);
    int MaxValue() const { return Max; }
    void SetMaxValue(int value);
    bool Validate() const { return Check; }
    void SetValidate(bool on);
    // Select the whole text when the focus arrives by keyboard.
    bool AutoSelect() const { return SelectOnEntry; }
    void SetAutoSelect(bool on) { SelectOnEntry = on; }

    int Radix() const;
    // Whether the text may stand in the edit: digits of the base only, a
    // number that fits Value, and with Validate one inside the bounds (the
    // empty text counting as 0).
    bool IsValidText(QStringView text) const;

signals:
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int CaretStart() const;
    QString WithoutSelection() const;
    QString AfterErase(bool forward) const;
    void TypeText(const QString& typed);
    void PasteChecked();
    void CutChecked();
    void DeleteChecked();

    TEditBase Base = ebHex;
    int Min = 0;
    int Max = 0;
    bool Check = false;
    bool SelectOnEntry = true;
};
