// The RC5 packet, measurement and sensor offset replies as the clock (or
// line noise) may send them. Invariants: the RC5 fields are the line's own
// characters at their places, at most two each; a measurement or offset
// record stops at its first failed field and never holds a field after it;
// every value lies in the range its bytes can give.

#include "protocol/replies/PeripheralReplies.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// Fields in step order: once one is missing, all later ones are too.
void CheckStepOrder(std::initializer_list<std::optional<int>> fields)
{
    bool failed = false;
    for (const auto& field : fields) {
        Check(!(failed && field));
        failed = failed || !field;
    }
}

void CheckRange(const std::optional<int>& field, int low, int high)
{
    Check(!field || (*field >= low && *field <= high));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));

    const Rc5PacketRecord packet = DecodeRc5Packet(line);
    Check(packet.address == line.mid(1, 2) && packet.command == line.mid(3, 2));
    Check(packet.HistoryLine() == "Addr: " + line.mid(1, 2) + " Cmd: " + line.mid(3, 2));

    const MeasurementRecord measurement = DecodeMeasurement(line);
    CheckStepOrder(
        {measurement.light, measurement.temperature, measurement.humidity, measurement.airPressure});
    CheckRange(measurement.light, 0, 255);
    CheckRange(measurement.temperature, -128, 127);
    CheckRange(measurement.humidity, 0, 255);
    CheckRange(measurement.airPressure, 0, 65535);

    const SensorOffsetRecord offsets = DecodeSensorOffset(line);
    CheckStepOrder({offsets.temperature, offsets.humidity, offsets.pressure});
    for (const auto& offset : {offsets.temperature, offsets.humidity, offsets.pressure})
        CheckRange(offset, -128, 127);
    return 0;
}
