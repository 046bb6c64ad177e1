// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm and parameter files are read from whatever a user hands the
// panel. Invariants: no line holds LF; lines written as the panel writes
// them read back the same; loading queues only lines the file holds, in
// their order, and an alarm file only alarm lines (none for a clock without
// alarms) and its end-of-read marker. A file without a damaged alarm line
// queues every one of its lines for a clock of 40 alarms, and the lines
// before the first damaged one are such a file. A message about a damaged
// line is one line of printable text, whatever the line holds, and quotes the
// line whole or the escaping of its first bytes, never half an escape, up to
// the quote's length. A file within the load bound reads back as written.

#include "files/AlarmFile.h"
#include "files/FileProblem.h"
#include "files/ParameterFile.h"
#include "files/TextFile.h"
#include "protocol/LineText.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// Whether every line of part stands in whole, in the same order.
bool InOrderWithin(const QList<QByteArray>& part, const QList<QByteArray>& whole)
{
    qsizetype at = 0;
    for (const QByteArray& line : part) {
        while (at < whole.size() && whole[at] != line)
            ++at;
        if (at++ >= whole.size())
            return false;
    }
    return true;
}

bool OneLineOfText(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return !text.isEmpty();
}

void CheckQuote(const QByteArray& line)
{
    const QByteArray quoted = QuotedLine(line).toLatin1();
    const QByteArray escaped = EscapedLine(line);
    if (escaped.size() <= kQuotedLength) {
        Check(quoted == '"' + escaped + '"');
        return;
    }
    Check(quoted.startsWith('"') && quoted.endsWith("\"..."));
    const QByteArray shown = quoted.mid(1, quoted.size() - 5);
    qsizetype bytes = 0;
    while (bytes < line.size() && EscapedLine(line.left(bytes)).size() < shown.size())
        ++bytes;
    Check(EscapedLine(line.left(bytes)) == shown && EscapedLine(line.left(bytes + 1)).size() > kQuotedLength);
}

// The content as a file of its own, read as the programs read files.
void CheckRead(const QByteArray& content)
{
    const int fd = ::memfd_create("text_file", MFD_CLOEXEC);
    Check(fd >= 0 && WriteAll(fd, content));
    const std::optional<QByteArray> read = ReadBytes(QStringLiteral("/proc/self/fd/%1").arg(fd));
    ::close(fd);
    Check(read == (content.size() <= kLoadLimit ? std::optional<QByteArray>(content) : std::nullopt));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckRead(content);
    const QList<QByteArray> lines = SplitLines(content);
    for (const QByteArray& line : lines) {
        Check(!line.contains('\n'));
        CheckQuote(line);
    }

    QList<QByteArray> clean;
    QByteArray written;
    for (QByteArray line : lines) {
        line.replace('\r', "");
        clean << line;
        written += line + "\r\n";
    }
    Check(SplitLines(written) == clean);

    const QList<QByteArray> parameters = ParameterFileCommands(lines);
    Check(InOrderWithin(parameters, lines));
    for (const QByteArray& command : parameters)
        Check(!command.isEmpty());

    for (const int alarmCount : {0, 20, 40}) {
        const AlarmFileLoad load = AlarmCommandsToQueue(lines, alarmCount);
        QList<QByteArray> rows = load.commands;
        if (!load.stoppedAtLine) {
            Check(!rows.isEmpty() && rows.takeLast() == "z0190");
        }
        Check(InOrderWithin(rows, lines) && (alarmCount > 0 || rows.isEmpty()));
        for (const QByteArray& row : rows)
            Check(row.startsWith('k'));
    }

    const int damaged = FirstDamagedAlarmLine(lines);
    const QList<QByteArray> whole = damaged ? lines.mid(0, damaged - 1) : lines;
    Check(damaged == 0 || FirstDamagedAlarmLine(whole) == 0);
    const AlarmFileLoad load = AlarmCommandsToQueue(whole, 40);
    Check(!load.stoppedAtLine && load.commands.size() == whole.size() + 1);
    if (damaged)
        Check(OneLineOfText(ExplainFileProblem(FileProblem::Line(damaged, lines[damaged - 1], kNotAnAlarmLine), {})));

    const int notACommand = FirstDamagedParameterLine(lines);
    for (qsizetype i = 0; i < (notACommand ? notACommand - 1 : lines.size()); ++i)
        Check(lines[i].isEmpty() || IsCommandLine(lines[i]));
    if (notACommand)
        Check(!IsCommandLine(lines[notACommand - 1]) && !lines[notACommand - 1].isEmpty());
    return 0;
}
