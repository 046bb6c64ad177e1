// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComPortTexts.h"

namespace {

QChar UpperAscii(QChar c) { return c >= u'a' && c <= u'z' ? QChar(c.unicode() - u'a' + u'A') : c; }

QStringList Words(const char* words) { return QString::fromLatin1(words).split(QLatin1Char(' ')); }

} // namespace

const QStringList& TComTexts<TBaudRate>::Texts()
{
    static const QStringList texts
        = Words("Custom 110 300 600 1200 2400 4800 9600 14400 19200 38400 56000 57600 115200 128000 256000");
    return texts;
}

const QStringList& TComTexts<TStopBits>::Texts()
{
    static const QStringList texts = Words("1 1.5 2");
    return texts;
}

const QStringList& TComTexts<TDataBits>::Texts()
{
    static const QStringList texts = Words("5 6 7 8");
    return texts;
}

const QStringList& TComTexts<TParityBits>::Texts()
{
    static const QStringList texts = Words("None Odd Even Mark Space");
    return texts;
}

const QStringList& TComTexts<TFlowControl>::Texts()
{
    static const QStringList texts = Words("Hardware Software None Custom");
    return texts;
}

bool SameComText(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

qsizetype IndexOfComText(const QStringList& texts, const QString& text)
{
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (SameComText(texts[i], text))
            return i;
    }
    return -1;
}
