// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

namespace fuzz {

// The stream cut into pieces of 1..maxPiece bytes, the cuts drawn from seed:
// a byte stream arrives in whatever pieces the link delivers.
inline QList<QByteArray> Chunks(const QByteArray& stream, unsigned seed, int maxPiece)
{
    QList<QByteArray> chunks;
    unsigned state = seed | 1;
    for (qsizetype at = 0; at < stream.size();) {
        state = state * 1103515245u + 12345u;
        const qsizetype piece = 1 + qsizetype((state >> 16) % unsigned(maxPiece));
        chunks << stream.mid(at, piece);
        at += piece;
    }
    return chunks;
}

} // namespace fuzz
