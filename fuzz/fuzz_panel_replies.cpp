// SPDX-License-Identifier: GPL-3.0-or-later
// The window applies every reply line the clock sends to its pages. Here
// the real window, offscreen and without an open link, takes the input cut
// at LF into lines through its reply log, as the receive path hands them
// over. Invariants: no crash or undefined behaviour; every line is handled
// at once; the window keeps its 40 alarm rows; the command queue stays
// bounded: only the connection replies touch it. An unknown clock ("P")
// leaves "p" alone in it and an invalid version ("V") "p", "v"; a
// configuration ("O") adds one alarm query per alarm it names (two decimal
// digits, so at most 99) and the end-of-batch marker; every other line
// leaves it as it was.

#include "OffscreenApp.h"
#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "app/pages/AlarmTable.h"
#include "protocol/replies/ReplyKind.h"
#include "sim/SimHid.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"

#include <QLineEdit>
#include <QPointer>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

using Lines = QList<QByteArray>;

constexpr qsizetype kMaxConfigQueries = 99 + 1; // two-digit alarm count, end-of-batch marker

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

struct Panel {
    TForm1 form{TForm1::Devices{std::make_unique<FakeComPort>(),
                                std::make_unique<TJvHidDeviceController>(std::make_unique<SimHidBackend>()),
                                std::make_unique<FakeDialogs>()}};
    std::array<QPointer<QLineEdit>, AlarmTable::kRows> rowEdits;

    Panel()
    {
        for (size_t row = 0; row < rowEdits.size(); ++row)
            rowEdits[row] = form.Alarms()->AlarmRows[row].Edit;
    }

    // What one input must not inherit from the one before.
    void Reset()
    {
        form.ClearCommandQueue();
        form.AlarmCount = 0;
        form.InitialLoad = true;
        ScreenCursor::SetArrow();
    }
};

Panel* panel = nullptr;

// The queue by its length and its end mark, which moves with every line
// queued and with none taken or cleared: cheap enough for long inputs.
struct QueueState {
    qsizetype count;
    qint64 end;

    explicit QueueState(const CommandQueue& queue) : count(queue.Count()), end(queue.EndMark()) {}
    qint64 Gone() const { return end - count; }
};

void CheckQueue(const std::optional<ReplyKind>& kind, const QueueState& before, const CommandQueue& queue)
{
    const QueueState after(queue);
    const bool unchanged = after.count == before.count && after.end == before.end;
    if (kind == ReplyKind::IdentificationReply) {
        Check(unchanged || queue.Lines() == Lines{"p"});
    } else if (kind == ReplyKind::VersionReply) {
        Check(unchanged || queue.Lines() == Lines{"p", "v"});
    } else if (kind == ReplyKind::ConfigReply) {
        Check(after.Gone() == before.Gone() && after.end - before.end <= kMaxConfigQueries);
        Check(unchanged || queue.Lines().back() == "z0190");
    } else {
        Check(unchanged);
    }
}

void CheckAlarmRows()
{
    const auto& rows = panel->form.Alarms()->AlarmRows;
    for (size_t row = 0; row < rows.size(); ++row)
        Check(panel->rowEdits[row] && panel->rowEdits[row] == rows[row].Edit);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartOffscreenApp(argc, argv);
    panel = new Panel;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    panel->Reset();
    TForm1& form = panel->form;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& line : input.split('\n')) {
        const QueueState before(form.CommandMemo);
        form.ReceiveMemo.Append(line);
        Check(form.ReceiveMemo.IsEmpty());
        CheckQueue(KindOf(line), before, form.CommandMemo);
    }
    CheckAlarmRows();
    return 0;
}
