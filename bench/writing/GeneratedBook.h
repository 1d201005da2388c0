#pragma once

#include <QString>
#include <QStringList>

// A book of real English prose for the writing benchmarks: the quotations of Debian's fortunes
// package, cut into sheets of a given number of words, each starting at another place in the
// prose, with the prose's own line breaks (CR LF).
class GeneratedBook {
public:
    // The prose, decoded; empty when the fortunes package is missing.
    static QString prose();
    // One sheet's text of about `words` words, the n-th of the book.
    static QString sheet(const QStringList& proseLines, int n, qint64 words);
    // Writes a project of `sheets` sheets of the main type into folder ("Book.kerfa", "Kerfa
    // Files/", "Text Files/"), each described by its first line; returns the words written, by
    // the program's own count.
    static qint64 write(const QString& folder, int sheets, qint64 wordsPerSheet);
};
