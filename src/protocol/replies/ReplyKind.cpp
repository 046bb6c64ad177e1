#include "protocol/replies/ReplyKind.h"

std::optional<ReplyKind> KindOf(const QByteArray& line)
{
    if (line.isEmpty())
        return std::nullopt;
    switch (line.front()) {
    case '@': return ReplyKind::RelayIrTimeReply;
    case 'A': return ReplyKind::Rc5PacketReply;
    case 'B': case 'D': return ReplyKind::DateReply;
    case 'C': case 'S': case 'T': return ReplyKind::TimeReply;
    case 'E': case 'F': return ReplyKind::MemoryReadReply;
    case 'G': case 'H': return ReplyKind::ModeReply;
    case 'I': case 'J': return ReplyKind::AutoStandbyReply;
    case 'K': case 'L': return ReplyKind::AlarmReply;
    case 'M': case 'N': return ReplyKind::PwmReply;
    case 'O': return ReplyKind::ConfigReply;
    case 'P': return ReplyKind::IdentificationReply;
    case 'Q': case 'R': return ReplyKind::SoundTimesReply;
    case 'V': return ReplyKind::VersionReply;
    case 'W': return ReplyKind::WhirlbeamStatusReply;
    case 'X': case 'Y': return ReplyKind::RelayReply;
    case 'Z': return ReplyKind::EndOfReadReply;
    case '[': return ReplyKind::Dcf77StateReply;
    case '\\': return ReplyKind::MeasurementReply;
    case '_': return ReplyKind::SensorOffsetReply;
    default: return std::nullopt;
    }
}
