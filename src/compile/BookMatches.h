#pragma once

#include "compile/SheetSearch.h"

#include <QList>
#include <QString>
#include <QStringView>

// Where a find text occurs in a sheet's text, for one replace across the whole book: exactly or
// with only the letters A to Z folded, as every search of the program does, and if asked only
// as a whole word (no letter or digit right before or after it). Each occurrence carries its
// line and the text around it on that line, for the writer to choose which to replace.
class BookMatches {
public:
    struct Match {
        qsizetype offset;
        int line; // from 1
        QString before;
        QString found;
        QString after;
    };

    // How much of the line around an occurrence is shown, each side.
    static constexpr qsizetype kContext = 40;

    BookMatches(QString findText, bool matchCase, bool wholeWords);

    // Every occurrence in a text with one break per line, in order, none overlapping another.
    QList<Match> in(QStringView text) const;
    // Whether a text file may hold an occurrence (it holds the find text at all); false for a
    // missing file, none when it cannot be read. Reads no more than the search needs.
    std::optional<bool> mayBeIn(const QString& path) const { return m_search.inFile(path); }

    // The text with the find text's length at each offset (in order) replaced.
    static QString replaced(QStringView text, const QList<qsizetype>& offsets, qsizetype length,
                            QStringView with);

private:
    bool wholeAt(QStringView text, qsizetype at) const;

    QString m_findText;
    bool m_matchCase;
    bool m_wholeWords;
    SheetSearch m_search;
};
