#pragma once

#include "common/FileReader.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// The one reader and writer of the program's INI files: settings, projects, sheets, themes and
// languages. Section and key names compare without regard to case; a missing key gives the
// caller's default, a key present with an empty value an empty string; values are returned as
// written, blanks included. Writing replaces a value
// in place and keeps every other line, comment and the order of the file. The file is read as
// UTF-8, or as Windows-1252 when its bytes are not valid UTF-8, and saved as UTF-8 with CR LF
// line breaks through the one save path (FileWriter), so a failed save never damages what was
// there.
class IniFile {
public:
    // Reads the file at once; a missing or unreadable file, one that is not a regular file, and
    // one over 1 MiB or 20,000 lines read as empty.
    explicit IniFile(QString path);
    // The same, telling whether the file could be read (FileReader's status).
    IniFile(QString path, FileReader::Status& status);

    const QString& path() const { return m_path; }

    // Parses text that is already in memory; path() stays as given to the constructor.
    void parse(const QByteArray& bytes);

    QString readString(QStringView section, QStringView key, const QString& fallback = {}) const;
    int readInteger(QStringView section, QStringView key, int fallback) const;
    bool readBool(QStringView section, QStringView key, bool fallback) const;

    bool sectionExists(QStringView section) const;
    bool valueExists(QStringView section, QStringView key) const;
    QStringList sections() const;
    QStringList keys(QStringView section) const;
    // The section's keys with their values as readString gives them, in the file's order, read
    // in one pass however many there are.
    QList<std::pair<QString, QString>> entries(QStringView section) const;

    void writeString(QStringView section, QStringView key, const QString& value);
    void writeInteger(QStringView section, QStringView key, int value);
    void writeBool(QStringView section, QStringView key, bool value);
    void deleteKey(QStringView section, QStringView key);
    void eraseSection(QStringView section);

    // Writes the file when anything was written or erased since it was read or last saved.
    // Returns false, leaving the file on disk as it was, when the file cannot be written (a
    // full disk, a missing folder, or a symbolic link or anything but a regular file there).
    bool save();
    bool isModified() const { return m_modified; }

    // The text save() writes.
    QByteArray serialize() const;

    // Integer parsing by the INI rules: optional blanks and sign, decimal digits, or "$" and
    // hexadecimal digits; anything else, or a value outside 32 bits, does not read.
    static bool parseInteger(QStringView text, int& value);

private:
    enum class Kind { Other, Section, Entry };
    // A stretch of a line's text.
    struct Span {
        qsizetype at = 0;
        qsizetype size = 0;
    };
    // A line as read points into the text of the file (read without a copy per line and per
    // name, as thousands of sheet files are read at every load); a line written since holds its
    // own text.
    struct Line {
        Kind kind = Kind::Other;
        bool owned = false;
        QString own;
        Span text;  // the whole line as read or written
        Span name;  // section name, or key of an entry
        Span value; // value of an entry
    };

    const QString& source(const Line& line) const { return line.owned ? line.own : m_text; }
    QStringView view(const Line& line, Span span) const {
        return QStringView(source(line)).mid(span.at, span.size);
    }
    QStringView textOf(const Line& line) const { return view(line, line.text); }
    QStringView nameOf(const Line& line) const { return view(line, line.name); }
    QStringView valueOf(const Line& line) const { return view(line, line.value); }
    static Line sectionLine(QStringView section);
    static Line entryLine(QStringView key, QStringView value);

    // Index of the header line of the first section of that name, or -1.
    int findSection(QStringView section) const;
    // Index of the first entry of that key in the section whose header is at sectionLine, or -1.
    int findEntry(int sectionLine, QStringView key) const;
    // One past the last line of the section whose header is at sectionLine.
    int sectionEnd(int sectionLine) const;
    const Line* entry(QStringView section, QStringView key) const;

    QString m_path;
    // The text as read.
    QString m_text;
    std::vector<Line> m_lines;
    bool m_modified = false;
};
