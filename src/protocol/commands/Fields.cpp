// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/Fields.h"

QByteArray DecField(int value, int width)
{
    const QByteArray digits = QByteArray::number(qAbs(qint64(value)));
    const QByteArray padded = digits.rightJustified(width - (value < 0 ? 1 : 0), '0');
    return value < 0 ? "-" + padded : padded;
}

QByteArray HexField(int value, int width)
{
    return QByteArray::number(quint32(value), 16).toUpper().rightJustified(width, '0');
}
