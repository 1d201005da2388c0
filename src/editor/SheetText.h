#pragma once

#include "common/FileStamp.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The text of one sheet, "Text Files/<sheet name>.txt" in the project folder, read and written
// the way its editor window does: read whole (kerfa::TextEncoding decides the encoding), every
// line break made CR LF; written as UTF-8 with CR LF line breaks through the program's one save
// path (a temporary file in the same folder, synced and renamed over the old one), so a failed
// save leaves the old text whole. A text file or text folder that is a link is neither read nor
// written. Sheets without an open editor are counted, printed and filled from a dropped file
// through it.
class SheetText {
public:
    // Larger text files are refused as unreadable rather than read into memory.
    static constexpr qint64 kMaxBytes = 128 * 1024 * 1024;

    explicit SheetText(QString path) : m_path(std::move(path)) {}
    static QString pathOf(const QString& projectFolder, const QString& sheetName);

    const QString& path() const { return m_path; }
    bool exists() const;

    // Reads the file; a missing file reads as empty. False, with the text empty, when the file
    // exists but cannot be read.
    bool load();
    const QString& text() const { return m_text; }
    // What the file held when load read it.
    const FileStamp& stamp() const { return m_stamp; }
    void setText(QString text) { m_text = std::move(text); }
    // Writes the text to the file; false, leaving the file as it was, when it cannot be written.
    bool save() const { return write(m_path, m_text); }

    // The file's text, or none when it cannot be read (a missing file included, and a text file
    // or text folder that is a link).
    static std::optional<QString> read(const QString& path);
    // The text of a file from outside the book that the writer chose (dropped on a sheet,
    // imported): read as a text is, links followed.
    static std::optional<QString> import(const QString& path);
    // The file's bytes as they are, read as read() reads them; missing is set for a missing file.
    static std::optional<QByteArray> readBytes(const QString& path, bool* missing = nullptr);
    // True when the text file or the text folder is a symbolic link: such a text is not the
    // book's, and is neither read nor written.
    static bool isLinked(const QString& path);
    // What the writer is told of a text file that is a link, naming its sheet.
    static QString linkedMessage(const QString& path);
    // The one writer of sheet texts: the editor's saves and the document's go through here.
    static bool write(const QString& path, const QString& text);
    // The same, stamping what was written when it was.
    static bool write(const QString& path, const QString& text, FileStamp& stamp);
    // The file's words, counted without decoding it; 0 for a missing file, none when it cannot
    // be read.
    static std::optional<qint64> countWordsInFile(const QString& path);

private:
    static bool writeBytes(const QString& path, QByteArrayView bytes);

    QString m_path;
    QString m_text;
    FileStamp m_stamp;
};
