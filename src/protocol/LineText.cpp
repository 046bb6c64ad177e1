// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/LineText.h"

QByteArray EscapedLine(const QByteArray& line)
{
    QByteArray text;
    text.reserve(line.size());
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7E)
            text += c;
        else
            text += "\\x" + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
    }
    return text;
}

QString QuotedLine(const QByteArray& line)
{
    return QLatin1Char('"') + QString::fromLatin1(EscapedLine(line)) + QLatin1Char('"');
}

QString VisibleLine(const QByteArray& line)
{
    QString shown = QString::fromLatin1(line);
    for (QChar& c : shown)
        if (!c.isPrint())
            c = QChar::ReplacementCharacter;
    return shown;
}
