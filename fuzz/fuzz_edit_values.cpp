// SPDX-License-Identifier: GPL-3.0-or-later
// The hex edit and the spin edit turn whatever text a user types, pastes or
// drops into numbers. Invariants: no crash or undefined behaviour for any
// text; a text the hex edit accepts stands for its value, a number that fits
// int and, with Validate, lies within the bounds; a value written in a base
// reads back as itself, also after the base changes; the spin edit reads
// any text as some int, a number's decimal or "$" text as that number, and
// keeps a value set or stepped within its bounds.

#include "OffscreenApp.h"
#include "widgets/HexEdits.h"
#include "widgets/Spin.h"


#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// The fuzzer's input, taken from the front.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    int Int()
    {
        quint32 value = 0;
        const size_t count = std::min<size_t>(sizeof value, size_);
        std::memcpy(&value, data_, count);
        Take(count);
        return qint32(value);
    }
    quint8 Byte()
    {
        const quint8 value = size_ ? *data_ : 0;
        Take(size_ ? 1 : 0);
        return value;
    }
    QString Rest() const { return QString::fromUtf8(reinterpret_cast<const char*>(data_), qsizetype(size_)); }

private:
    void Take(size_t count)
    {
        data_ += count;
        size_ -= count;
    }
    const uint8_t* data_;
    size_t size_;
};

struct Edits {
    THexEdit hex;
    TSpinEdit spin;
};

Edits* edits = nullptr;

bool InBounds(const THexEdit& hex, int value)
{
    return value >= 0 && (!hex.Validate() || (value >= hex.MinValue() && value <= hex.MaxValue()));
}

void HexText(THexEdit& hex, const QString& text)
{
    hex.setText(text);
    (void)hex.Value();
    if (!hex.IsValidText(text))
        return;
    const int value = hex.Value();
    Check(InBounds(hex, value));
    QString digits = text;
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    Check(QString::number(value, hex.Radix()).toUpper() == (digits.isEmpty() ? QStringLiteral("0") : digits));
}

void HexValue(THexEdit& hex, int value, THexEdit::TEditBase otherBase)
{
    hex.SetValue(value);
    const int shown = hex.Value();
    // Bounds the wrong way round promise nothing.
    if (!hex.Validate() || hex.MinValue() <= hex.MaxValue()) {
        Check(InBounds(hex, shown) && hex.IsValidText(hex.text()));
        if (InBounds(hex, value))
            Check(shown == value);
        hex.SetNumBase(otherBase);
        Check(hex.Value() == shown);
    }
}

void SpinText(TSpinEdit& spin, const QString& text, int number)
{
    spin.setText(text);
    (void)spin.Value();
    spin.setText(QString::number(number));
    Check(spin.Value() == number);
    spin.setText(QStringLiteral(" +$") + QString::number(quint32(number), 16));
    Check(spin.Value() == number);
}

void SpinSteps(TSpinEdit& spin, int value, int step)
{
    const bool bounded = spin.MinValue() < spin.MaxValue();
    const auto within = [&] { return spin.Value() >= spin.MinValue() && spin.Value() <= spin.MaxValue(); };
    spin.SetValue(value);
    if (!bounded)
        return;
    Check(within());
    spin.SetIncrement(step);
    spin.UpClick();
    Check(within());
    spin.DownClick();
    Check(within());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartOffscreenApp(argc, argv);
    edits = new Edits;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input input(data, size);
    const quint8 flags = input.Byte();
    const int low = input.Int();
    const int high = input.Int();
    const int value = input.Int();
    const int step = input.Int();
    const QString text = input.Rest();

    THexEdit& hex = edits->hex;
    hex.SetValidate(false);
    hex.SetNumBase(THexEdit::TEditBase(flags & 3));
    hex.SetMinValue(low);
    hex.SetMaxValue(high);
    hex.SetValidate(flags & 4);
    HexText(hex, text);
    HexValue(hex, value, THexEdit::TEditBase((flags >> 3) & 3));

    TSpinEdit& spin = edits->spin;
    spin.SetMinValue(low);
    spin.SetMaxValue(high);
    SpinText(spin, text, value);
    SpinSteps(spin, value, step);
    return 0;
}
