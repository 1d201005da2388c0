#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Searching an editor's text for the find box's text: forward only, exactly or with the letters
// A to Z folded (every other character, accented letters among them, matches only itself).
class TextFinder {
public:
    // Where needle first occurs in text at or after from; -1 when it does not, or when it is
    // empty.
    static qsizetype find(QStringView text, QStringView needle, qsizetype from, bool matchCase);
    // Whether two texts are equal by the same rule.
    static bool same(QStringView a, QStringView b, bool matchCase);
    // Every occurrence at or after from, in order, none overlapping another: where Replace All,
    // replacing each and searching on after what it put in, replaces.
    static QList<qsizetype> findAll(QStringView text, QStringView needle, qsizetype from,
                                    bool matchCase);
};
