// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/IniFile.h"

#include "files/TextFile.h"

#include <cerrno>

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Names match as the ini files of the other platform match them: letters
// without regard to case, everything else exactly.
bool SameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

// The blanks that trimmed() takes off: ASCII only, so that no byte of a
// UTF-8 character is ever taken for one.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsComment(QByteArrayView trimmed) { return trimmed.startsWith(';') || trimmed.startsWith('#'); }

// Where the value stands in a key line: after the '=' and the blanks that
// follow it, up to the blanks at the end of the line.
struct ValueSpan {
    qsizetype start;
    qsizetype end;
};

ValueSpan ValueSpanOf(QByteArrayView text)
{
    qsizetype start = text.indexOf('=') + 1;
    qsizetype end = text.size();
    while (end > start && IsBlank(text[end - 1]))
        --end;
    while (start < end && IsBlank(text[start]))
        ++start;
    return {start, end};
}

QByteArrayView Unquoted(QByteArrayView value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// A value that would not read back as itself goes in quotes, which reading
// takes off again.
QByteArray Encoded(const QByteArray& value)
{
    if (Unquoted(value) == QByteArrayView(value))
        return value;
    return '"' + value + '"';
}

std::optional<QByteArrayView> KeyOf(QByteArrayView text)
{
    const QByteArrayView trimmed = text.trimmed();
    if (trimmed.isEmpty() || IsComment(trimmed) || trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    const QByteArrayView key = text.first(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return key;
}

bool HasLineBreak(QByteArrayView text) { return text.contains('\n') || text.contains('\r'); }

} // namespace

IniFile::IniFile(const QByteArray& content)
{
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype newline = content.indexOf('\n', start);
        if (newline < 0) {
            lines_.append({content.mid(start), QByteArray()});
            break;
        }
        const bool crlf = newline > start && content[newline - 1] == '\r';
        const qsizetype textEnd = crlf ? newline - 1 : newline;
        lines_.append({content.mid(start, textEnd - start), crlf ? QByteArray("\r\n") : QByteArray("\n")});
        start = newline + 1;
    }
}

std::optional<IniFile> IniFile::Load(const QString& path, int* error)
{
    int failure = 0;
    const std::optional<QByteArray> content = ReadBytes(path, &failure);
    if (content)
        return IniFile(*content);
    if (failure == ENOENT)
        return IniFile();
    if (error)
        *error = failure;
    return std::nullopt;
}

bool IniFile::Save(const QString& path, int* error) const { return SaveBytes(path, Content(), error); }

QByteArray IniFile::Content() const
{
    QByteArray content;
    for (const Line& line : lines_)
        content += line.text + line.end;
    return content;
}

// A byte order mark left by an editor is part of the file, not of its
// first section name.
QByteArrayView IniFile::TextOf(qsizetype index) const
{
    const QByteArrayView text = lines_[index].text;
    return index == 0 && text.startsWith(kUtf8Bom) ? text.sliced(kUtf8Bom.size()) : text;
}

std::optional<QByteArrayView> IniFile::SectionAt(qsizetype index) const
{
    const QByteArrayView trimmed = TextOf(index).trimmed();
    const qsizetype close = trimmed.indexOf(']');
    if (!trimmed.startsWith('[') || close < 0)
        return std::nullopt;
    return trimmed.sliced(1, close - 1).trimmed();
}

qsizetype IniFile::FindSection(QByteArrayView section) const
{
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const std::optional<QByteArrayView> name = SectionAt(i);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniFile::FindKey(qsizetype sectionLine, QByteArrayView key, qsizetype* lastKey) const
{
    *lastKey = sectionLine;
    for (qsizetype i = sectionLine + 1; i < lines_.size() && !SectionAt(i); ++i) {
        const std::optional<QByteArrayView> name = KeyOf(TextOf(i));
        if (!name)
            continue;
        if (SameName(*name, key))
            return i;
        *lastKey = i;
    }
    return -1;
}

std::optional<QByteArray> IniFile::Value(QByteArrayView section, QByteArrayView key) const
{
    const qsizetype sectionLine = FindSection(section);
    if (sectionLine < 0)
        return std::nullopt;
    qsizetype lastKey = 0;
    const qsizetype keyLine = FindKey(sectionLine, key, &lastKey);
    if (keyLine < 0)
        return std::nullopt;
    const QByteArrayView text = TextOf(keyLine);
    const ValueSpan span = ValueSpanOf(text);
    return Unquoted(text.sliced(span.start, span.end - span.start)).toByteArray();
}

bool IniFile::SetValue(QByteArrayView section, QByteArrayView key, const QByteArray& value)
{
    // Only LF ends a line; a CR inside a value is read back as it stands.
    if (value.contains('\n') || HasLineBreak(section) || section.contains(']') || HasLineBreak(key)
        || key.contains('=') || key.trimmed().isEmpty())
        return false;
    const QByteArray keyLine = key.toByteArray() + '=' + Encoded(value);
    const qsizetype sectionLine = FindSection(section);
    if (sectionLine < 0) {
        if (!lines_.isEmpty() && !lines_.last().text.trimmed().isEmpty())
            InsertLine(lines_.size(), QByteArray());
        InsertLine(lines_.size(), '[' + section.toByteArray() + ']');
        InsertLine(lines_.size(), keyLine);
        return true;
    }
    qsizetype lastKey = 0;
    const qsizetype found = FindKey(sectionLine, key, &lastKey);
    if (found < 0) {
        InsertLine(lastKey + 1, keyLine);
        return true;
    }
    if (Value(section, key) == value)
        return true;
    QByteArray& text = lines_[found].text;
    const qsizetype bom = text.size() - TextOf(found).size();
    const ValueSpan span = ValueSpanOf(TextOf(found));
    text.replace(bom + span.start, span.end - span.start, Encoded(value));
    return true;
}

// New lines end as the file's lines do; a new file's as the panel's other
// files do.
QByteArray IniFile::LineEnd() const
{
    for (const Line& line : lines_) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return QByteArrayLiteral("\r\n");
}

void IniFile::InsertLine(qsizetype index, const QByteArray& text)
{
    const QByteArray end = LineEnd();
    if (index > 0 && lines_[index - 1].end.isEmpty())
        lines_[index - 1].end = end;
    lines_.insert(index, {text, end});
}
