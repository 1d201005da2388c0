#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whether a sheet's text holds a find text: exactly, or with only the letters A to Z folded
// (every other character, accented letters among them, matches only itself). The text is
// searched as a whole, with CR LF line breaks, so a find text without a line break never matches
// across lines. Files are searched in their bytes, without decoding them.
class SheetSearch {
public:
    SheetSearch(const QString& findText, bool matchCase);

    // An editor's text, unsaved changes included.
    bool inText(const QString& text) const;
    // A text file; false for a missing one, none when it cannot be read.
    std::optional<bool> inFile(const QString& path) const;

private:
    // Folds the bytes when the case does not matter.
    bool inBytes(QByteArray& bytes) const;

    QString m_findText;
    // The find text in UTF-8, folded when the case does not matter.
    QByteArray m_findBytes;
    bool m_matchCase;
    // Whether the find text holds a line break, which only matches once breaks are CR LF.
    bool m_lineBreak;
    // Whether the find text is all ASCII, which a file's bytes show whatever its code page.
    bool m_ascii;
};
