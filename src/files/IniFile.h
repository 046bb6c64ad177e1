// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// An ini file kept as its lines, so that setting a key changes that key's
// value and nothing else: other sections and keys, comments, blank lines,
// spacing and line ends stay byte for byte, which a settings library that
// writes the whole file anew would not keep.
//
// Reading follows the usual ini conventions: "[name]" opens a section,
// "key=value" lines follow, lines starting with ';' or '#' are comments.
// Section and key names match without regard to ASCII case; blanks around
// names and values do not count, and one pair of quotes around a value is
// taken off. The first section and the first key of a name win.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QByteArray& content);

    // A missing file is an empty one; nullopt when the file is there but
    // cannot be read as ReadBytes reads files (a device without end, a file
    // beyond its bound), with the error in *error.
    static std::optional<IniFile> Load(const QString& path, int* error = nullptr);
    // Saved safely (SaveBytes): a failed save leaves the old file whole.
    bool Save(const QString& path, int* error = nullptr) const;

    // The file's bytes; unchanged content gives back the bytes it was made of.
    QByteArray Content() const;

    std::optional<QByteArray> Value(QByteArrayView section, QByteArrayView key) const;
    bool HasSection(QByteArrayView section) const { return FindSection(section) >= 0; }

    // Replaces the value of an existing key in place, or adds the key after
    // the last key of its section, or the section at the end of the file.
    // A value equal to the one read leaves the line alone. A value that
    // would read back otherwise (blanks or quotes at its ends) is written in
    // quotes. False for a value with a line feed, which no line can hold.
    bool SetValue(QByteArrayView section, QByteArrayView key, const QByteArray& value);

private:
    struct Line {
        QByteArray text; // without its line end
        QByteArray end; // "\r\n", "\n", or empty for a last line without one
    };

    QByteArrayView TextOf(qsizetype index) const;
    std::optional<QByteArrayView> SectionAt(qsizetype index) const;
    qsizetype FindSection(QByteArrayView section) const;
    qsizetype FindKey(qsizetype sectionLine, QByteArrayView key, qsizetype* lastKey) const;
    QByteArray LineEnd() const;
    void InsertLine(qsizetype index, const QByteArray& text);

    QList<Line> lines_;
};
