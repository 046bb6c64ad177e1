// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/ComSelect.h"

#include <QComboBox>
#include <QDialog>
#include <array>
#include <functional>

class DialogSeam;
class QGroupBox;
class QLabel;
class QPushButton;

// A drop-down list bound to one setting of a serial port. The user can only
// pick one of its items; a pick becomes the pending value, which reaches the
// port with ApplyToPort (at once with AutoApply).
class TComComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(TComPort* ComPort READ ComPort WRITE SetComPort)
    Q_PROPERTY(ComProperties::TComProperty ComProperty READ ComProperty WRITE SetComProperty)
    Q_PROPERTY(bool AutoApply READ AutoApply WRITE SetAutoApply)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    explicit TComComboBox(QWidget* parent = nullptr);

    TComPort* ComPort() const { return select_.ComPort(); }
    // Binds the port and shows its current value.
    void SetComPort(TComPort* port);
    TComProperty ComProperty() const { return select_.ComProperty(); }
    // Fills the list for the setting and shows the bound port's value, or
    // the first item without a port. Code 23 when the ports cannot be listed.
    void SetComProperty(TComProperty property);
    bool AutoApply() const { return select_.AutoApply(); }
    void SetAutoApply(bool on) { select_.SetAutoApply(on); }
    // The selected item's text, empty with none selected.
    QString Text() const;
    // Selects the item of that text, ignoring case; nothing without one.
    void SetText(const QString& text);

    // Shows the bound port's current value and makes it the pending one;
    // a value the list lacks shows no item.
    Q_INVOKABLE void ReadFromPort();
    Q_INVOKABLE void ApplyToPort() { select_.ApplyToPort(); }

    const TComSelect& Select() const { return select_; }

    // A pick with AutoApply that the port refused; without a handler it is
    // only logged, since it happens in the event loop.
    std::function<void(const EComPort& error)> OnApplyError;

signals:
    // The user picked an item (after AutoApply has applied it).
    void OnChange();

private:
    void SelectItem(int index);
    void Picked(int index);

    TComSelect select_;
};

// The serial port's settings dialog "Setup": port, baud rate, data bits,
// stop bits, parity and flow control, each a TComComboBox, laid out in
// pixels.
class TComSetupFrm : public QDialog {
    Q_OBJECT
public:
    // Reads the machine's port list; code 23 when it cannot.
    explicit TComSetupFrm(QWidget* parent = nullptr);

    // Combo1 .. Combo6 in their tab order.
    std::array<TComComboBox*, 6> Combos() const { return {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6}; }

    QGroupBox* GroupBox1;
    TComComboBox* Combo1;
    TComComboBox* Combo2;
    TComComboBox* Combo3;
    TComComboBox* Combo4;
    TComComboBox* Combo5;
    TComComboBox* Combo6;
    QPushButton* OkButton;
    QPushButton* CancelButton;
};

// Shows the settings dialog for the port through the dialog seam. OK hands
// all six settings to the port in one settings update, so an open port gets
// them at once; Cancel changes nothing.
void RunSetupDialog(TComPort& port, DialogSeam& dialogs, QWidget* parent = nullptr);
