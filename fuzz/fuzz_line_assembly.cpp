// SPDX-License-Identifier: GPL-3.0-or-later
// The serial line assembly and the USB report extraction take whatever the
// peer sends. Invariants: no line holds LF or CR or is empty, the buffer
// never passes its bound, and the lines out do not depend on how the input
// was cut into chunks; a USB line holds no byte of 0x0F or less.

#include "Chunks.h"
#include "link/LineAssembly.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

QList<QByteArray> Feed(const QList<QByteArray>& chunks)
{
    SerialLineAssembler assembler;
    QList<QByteArray> lines;
    for (const QByteArray& chunk : chunks) {
        lines += assembler.Take(chunk);
        Check(assembler.Pending().size() <= SerialLineAssembler::MaxUnfinishedBytes);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte seeds the cutting; the rest is the stream. Long runs of
    // one byte make over-long lines cheap for the fuzzer to find.
    const unsigned seed = data[0];
    QByteArray stream(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (seed & 0x80 && !stream.isEmpty())
        stream.insert(stream.size() / 2, QByteArray(SerialLineAssembler::MaxUnfinishedBytes, stream.front()));

    const QList<QByteArray> whole = Feed({stream});
    for (const QByteArray& line : whole)
        Check(!line.isEmpty() && !line.contains('\n') && !line.contains('\r')
              && line.size() <= SerialLineAssembler::MaxUnfinishedBytes);

    Check(Feed(fuzz::Chunks(stream, seed, 97)) == whole);

    for (const char byte : ExtractUsbReplyLine(stream))
        Check(static_cast<unsigned char>(byte) > 0x0F);
    return 0;
}
