// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/LineText.h"

namespace {

bool Printable(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte <= 0x7E;
}

// The byte as EscapedLine writes it, appended to text.
void AppendEscaped(QByteArray& text, char c)
{
    if (Printable(c))
        text += c;
    else
        text += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16).toUpper().rightJustified(2, '0');
}

qsizetype EscapedSize(char c) { return Printable(c) ? 1 : 4; }

} // namespace

QByteArray EscapedLine(const QByteArray& line)
{
    QByteArray text;
    text.reserve(line.size());
    for (const char c : line)
        AppendEscaped(text, c);
    return text;
}

// Only the part shown is escaped, so quoting a huge line costs no more
// than quoting a short one.
QString QuotedLine(const QByteArray& line)
{
    QByteArray text;
    qsizetype taken = 0;
    for (; taken < line.size() && text.size() + EscapedSize(line[taken]) <= kQuotedLength; ++taken)
        AppendEscaped(text, line[taken]);
    QString quoted = QLatin1Char('"') + QString::fromLatin1(text) + QLatin1Char('"');
    if (taken < line.size())
        quoted += QStringLiteral("...");
    return quoted;
}

QString VisibleLine(const QByteArray& line)
{
    QString shown = QString::fromLatin1(line);
    for (QChar& c : shown)
        if (!c.isPrint())
            c = QChar::ReplacementCharacter;
    return shown;
}
