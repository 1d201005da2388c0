#pragma once

#include <QString>

class QTextEdit;

// Two versions of a text shown in one read-only view, word by word (WordDiff): what only the
// earlier one has struck through in red, what only the later one has underlined in green, on
// tinted ground so that a changed blank shows too. The snapshots window and the recovery window
// show their comparisons through here.
class WordDiffView {
public:
    // Line breaks may be CR LF or LF in either text; both are compared with one break a line,
    // as the editor shows them. The view starts at the top.
    static void show(QTextEdit* view, QString before, QString after);
};
