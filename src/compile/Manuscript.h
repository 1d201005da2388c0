#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A compiled book as the export formats see it: its title and language, then one chapter per
// sheet of the compilation list, headed by the sheet's name, with its description when asked for
// and its text as paragraphs, one per line.
class Manuscript {
public:
    struct Chapter {
        QString title;
        QString description; // empty when there is none or it was not asked for
        QStringList paragraphs;
    };

    QString title;
    QString language = QStringLiteral("en"); // a language tag, as e-books declare it
    // Names the book from one export to the next, so that an e-book reader takes a new export
    // for a new edition of the same book.
    QString identifier;
    QList<Chapter> chapters;

    // A text's lines as paragraphs: any line break ends one, an empty line is an empty
    // paragraph, and the blank lines before the first line of text and after the last are
    // dropped, as a compilation trims them.
    static QStringList paragraphs(QStringView text);
};
