// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ComSetup.h"

#include "app/Dialogs.h"
#include "app/PanelFont.h"
#include "app/pages/PageBuilder.h"
#include "link/ComPortTexts.h"
#include "link/PortDescription.h"
#include "widgets/Accessibility.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr QSize kClientSize(231, 216);
constexpr QRect kGroupBoxRect(8, 8, 217, 169);
constexpr int kComboLeft = 80;
constexpr QSize kComboSize(129, 21);
constexpr QSize kButtonSize(75, 25);

struct SettingRow {
    const char* label;
    const char* combo;
    TComProperty property;
};

constexpr std::array<SettingRow, 6> kRows = {{
    {QT_TRANSLATE_NOOP("TComSetupFrm", "Port"), "Combo1", cpPort},
    {QT_TRANSLATE_NOOP("TComSetupFrm", "Baud rate"), "Combo2", cpBaudRate},
    {QT_TRANSLATE_NOOP("TComSetupFrm", "Data bits"), "Combo3", cpDataBits},
    {QT_TRANSLATE_NOOP("TComSetupFrm", "Stop bits"), "Combo4", cpStopBits},
    {QT_TRANSLATE_NOOP("TComSetupFrm", "Parity"), "Combo5", cpParity},
    {QT_TRANSLATE_NOOP("TComSetupFrm", "Flow control"), "Combo6", cpFlowControl},
}};

// Row r's label stands at 24 + 24 r, its list at 16 + 24 r.
constexpr int kRowPitch = 24;

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(QRect(QPoint(left, top), kButtonSize));
    return button;
}

} // namespace

// ---- TComComboBox -----------------------------------------------------------

TComComboBox::TComComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // Named by its label, not by the setting it shows.
    WidgetAccessibility::Install();
    setEditable(false);
    connect(this, &QComboBox::activated, this, &TComComboBox::Picked);
    select_.OnPortDestroyed = [this] {
        if (count() > 0)
            SelectItem(0);
    };
}

void TComComboBox::SetComPort(TComPort* port)
{
    select_.SetComPort(port);
    if (port)
        ReadFromPort();
}

void TComComboBox::SetComProperty(TComProperty property)
{
    const QStringList items = TComSelect::ItemsFor(property);
    select_.SetComProperty(property);
    {
        const QSignalBlocker quiet(this);
        clear();
        addItems(items);
    }
    if (count() == 0)
        return;
    // Unbound, the first item is only shown: the pending value stays as it
    // was until a port is read or the user picks, so that OK in the setup
    // dialog applies what the box shows when the port's own value is not
    // in the list (nothing, for a port name).
    if (ComPort())
        ReadFromPort();
    else
        setCurrentIndex(0);
}

QString TComComboBox::Text() const { return currentIndex() < 0 ? QString() : itemText(currentIndex()); }

void TComComboBox::SetText(const QString& text)
{
    for (int i = 0; i < count(); ++i) {
        if (SameComText(itemText(i), text)) {
            SelectItem(i);
            return;
        }
    }
}

// A port this list lacks (a pseudo terminal, a device named by its path)
// shows no item and leaves the pending value as it was: OK without a pick
// then applies what the box shows, an empty name.
void TComComboBox::ReadFromPort()
{
    if (!ComPort())
        return;
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    const qsizetype index = select_.IndexOfPortValue(items);
    if (index >= 0) {
        SelectItem(int(index));
        return;
    }
    setCurrentIndex(-1);
}

// What the box shows and what it would apply are always the same value.
void TComComboBox::SelectItem(int index)
{
    setCurrentIndex(index);
    select_.Take(itemText(index));
}

void TComComboBox::Picked(int index)
{
    select_.Take(itemText(index));
    if (AutoApply()) {
        try {
            ApplyToPort();
        } catch (const EComPort& error) {
            if (OnApplyError)
                OnApplyError(error);
            else
                qWarning("Serial port setting not applied: %s", error.what());
        }
    }
    emit OnChange();
}

// ---- TComSetupFrm -----------------------------------------------------------

TComSetupFrm::TComSetupFrm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ComSetupFrm"));
    setWindowTitle(tr("Setup"));
    setWindowFlags(
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(PanelFont());
    setFixedSize(kClientSize);

    GroupBox1 = new QGroupBox(tr(" Settings "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(kGroupBoxRect);
    std::array<TComComboBox*, 6> combos{};
    for (size_t row = 0; row < kRows.size(); ++row) {
        const int top = int(row) * kRowPitch;
        QLabel* label = PageBuilder::Label(GroupBox1, tr(kRows[row].label), 8, 24 + top);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        auto* combo = new TComComboBox(GroupBox1);
        combo->setObjectName(QLatin1String(kRows[row].combo));
        combo->setGeometry(QRect(QPoint(kComboLeft, 16 + top), kComboSize));
        combo->SetComProperty(kRows[row].property);
        label->setBuddy(combo);
        combos[row] = combo;
    }
    Combo1 = combos[0];
    Combo2 = combos[1];
    Combo3 = combos[2];
    Combo4 = combos[3];
    Combo5 = combos[4];
    Combo6 = combos[5];

    OkButton = Button(this, "OkButton", tr("OK"), 70, 184);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelButton = Button(this, "CancelButton", tr("Cancel"), 150, 184);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    const std::array<QWidget*, 8> tabOrder
        = {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6, OkButton, CancelButton};
    for (size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // Centred on the screen rather than over the window; having been moved,
    // the dialog is not placed again when it is shown.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// ---- RunSetupDialog ---------------------------------------------------------

namespace {

// The machine's list lacks many a port in use: a pseudo terminal, a
// /dev/serial/by-id/... name, an adapter unplugged right now. Listed as
// well, it stays what OK applies unless the user picks another; a name
// that names nothing still fails at Open.
void ListPortInUse(TComComboBox& box, const TComPort& port)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    if (!port.Port().isEmpty() && box.Select().IndexOfPortValue(items) < 0)
        box.addItem(port.Port());
}

// Each port's tool tip says what udev knows of it: which adapter it is, and
// the by-id name that stays the same when it is plugged in again.
void DescribePorts(TComComboBox& box)
{
    for (int i = 0; i < box.count(); ++i)
        box.setItemData(i, DescribePort(box.itemText(i)).Text(), Qt::ToolTipRole);
}

} // namespace

void RunSetupDialog(TComPort& port, DialogSeam& dialogs, QWidget* parent)
{
    TComSetupFrm dialog(parent);
    const std::array<TComComboBox*, 6> combos = dialog.Combos();
    for (TComComboBox* combo : combos)
        combo->SetComPort(&port);
    ListPortInUse(*dialog.Combo1, port);
    DescribePorts(*dialog.Combo1);
    for (TComComboBox* combo : combos)
        combo->ReadFromPort();
    if (dialogs.RunModal(dialog) != QDialog::Accepted)
        return;
    port.InSettingsUpdate([&combos] {
        for (TComComboBox* combo : combos)
            combo->ApplyToPort();
    });
}
