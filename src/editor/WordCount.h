#pragma once

#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringView>

// The one rule words are counted by, in an editor and for a closed sheet alike. Only the blank
// (character 32) separates tokens; every token is a word except one that is followed by a blank
// and is an integer ("12", "-5", "$FF", "0x10") or a single one of the characters
// ! @ # $ % ^ & * ( ) ~ [ ] { } " : ? < > , . | \ /. The last token of a line always counts.
// Lines are the text's own lines (ended by CR LF, CR or LF), never the wrapped lines of a window,
// so a text counts the same in any window and on disk.
class WordCount {
public:
    static int CountLineWords(QStringView line);
    static qint64 CountWords(QStringView text);
    // The words of a text file's bytes (without its byte-order mark), as CountWords of the
    // decoded text: the rule looks only at characters below 128, which are single bytes in
    // UTF-8 and in Windows-1252 alike, so the file need not be decoded.
    static qint64 CountWords(QByteArrayView bytes);

    // Digits grouped in threes with the locale's thousands separator: "1,234,567"; "0" for none.
    static QString formatted(qint64 count, const QLocale& locale = QLocale());

    // The rule's integers: an optional sign, then decimal digits, or hexadecimal digits after
    // "$", "x", "X", "0x" or "0X"; the value must fit in a signed 32-bit integer.
    static bool isInteger(QStringView token);
};
