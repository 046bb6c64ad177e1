// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/ComPortSettings.h"

#include <QString>
#include <QStringList>

// The texts of the line settings, in the order of their enumerations: the
// settings file stores them and the setup dialog lists them. A text that
// matches none of them stands for a fixed fallback value.
template <typename Enum> struct TComTexts;

template <> struct TComTexts<TBaudRate> {
    static const QStringList& Texts();
    static constexpr TBaudRate kFallback = br9600;
};
template <> struct TComTexts<TStopBits> {
    static const QStringList& Texts();
    static constexpr TStopBits kFallback = sbOneStopBit;
};
template <> struct TComTexts<TDataBits> {
    static const QStringList& Texts();
    static constexpr TDataBits kFallback = dbEight;
};
template <> struct TComTexts<TParityBits> {
    static const QStringList& Texts();
    static constexpr TParityBits kFallback = prNone;
};
// fcCustom leaves the flow-control switches as they are.
template <> struct TComTexts<TFlowControl> {
    static const QStringList& Texts();
    static constexpr TFlowControl kFallback = fcCustom;
};

// Equal once ASCII letters are upper-cased; other characters must match
// exactly.
bool SameComText(const QString& a, const QString& b);

// The index of the first of texts equal to text by SameComText; -1 if none.
qsizetype IndexOfComText(const QStringList& texts, const QString& text);

template <typename Enum> QString ComText(Enum value)
{
    return TComTexts<Enum>::Texts().value(qsizetype(value));
}

template <typename Enum> Enum ComValueOf(const QString& text)
{
    const qsizetype index = IndexOfComText(TComTexts<Enum>::Texts(), text);
    return index < 0 ? TComTexts<Enum>::kFallback : Enum(index);
}
