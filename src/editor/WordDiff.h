#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// What changed between two versions of a text, word by word: the text cut into pieces that
// both versions share, that only the earlier one has (removed) and that only the later one has
// (added). Words are runs of letters, digits and apostrophes; blanks and each punctuation mark
// are pieces of their own, so a changed comma does not mark the word beside it. Very long
// texts that changed throughout are compared paragraph by paragraph first, so the comparison
// stays quick and small; a paragraph rewritten whole then shows as removed and added.
class WordDiff {
public:
    enum class Kind { Same, Removed, Added };
    struct Piece {
        Kind kind;
        QString text;
        bool operator==(const Piece&) const = default;
    };

    // In reading order; removed pieces stand before the added ones that replace them.
    static QList<Piece> compare(QStringView before, QStringView after);
    // The pieces as a reader is shown them: where what went and what came meet with no blank
    // between them ("Mara" struck, "Maren" added), a blank of neither text keeps them apart, so
    // the two never read as one word.
    static QList<Piece> forReading(QList<Piece> pieces);

    // The table a comparison may fill, in cells of one unit of each text; beyond it, the
    // comparison goes by paragraphs.
    static constexpr qsizetype kMaxCells = 4'000'000;
};
