#pragma once

#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>

class QMenu;
class QPlainTextEdit;
class QPoint;
class QTextBlock;

namespace kerfa::spelling {
class TSpellCheckerBase;
}

// Spelling as the user types: every word of the memo that a spelling check would stop on is
// underlined with a red wave, by the editor's own checker (its dictionaries, ignore rules,
// options and Ignore All words), while the option "Check spelling as you type" is on.
//
// The memo's paragraphs are checked one at a time and their result kept in the paragraph: its
// user state holds the round it was checked in, so that a new round (a word added, an option
// changed) costs nothing until a paragraph is looked at again. An edit re-checks the paragraphs
// it touched at once; the lines in view are checked first; the rest is checked in slices of
// half a millisecond whenever the program is idle, so no long pass ever holds up the typing.
//
// The word being typed is not underlined until the caret leaves it (a blank, punctuation or
// Enter typed, a click or a key that moves the caret elsewhere): a half-typed word would
// otherwise turn red at every key. A word that was underlined already when the writer started
// editing it is checked at every key instead: it stays marked while it is still wrong and loses
// its underline the moment it is right, so the writer sees the correction take.
class LiveSpeller : public QObject {
    Q_OBJECT
public:
    LiveSpeller(QPlainTextEdit* memo, kerfa::spelling::TSpellCheckerBase& checker);
    ~LiveSpeller() override;

    // Whether the option is on (the underlines come and go with it at the next recheck).
    bool isActive() const;
    // A new round: the lines in view now, the rest in the idle time; or, with the option off,
    // every underline goes.
    void recheck();
    // Every memo's speller starts a new round; with `reload`, their checkers read their
    // dictionaries again first (a word was added to the custom dictionary they share).
    static void recheckEverywhere(bool reload);

    // The underlined ranges of a paragraph.
    QList<QTextLayout::FormatRange> underlines(const QTextBlock& block) const;
    // The underlined word under a point of the memo's viewport, selected; null without one.
    QTextCursor unknownWordAt(const QPoint& viewportPos) const;
    // Puts the suggestions and the spelling commands for the underlined word under the point
    // at the top of the menu; false (and the menu unchanged) when there is no such word.
    bool addMenuCommands(QMenu* menu, const QPoint& viewportPos);
    // Takes the underlines off every occurrence of `word` at once, without checking anything:
    // the word was added while a check owns the checker, which re-checks it all when it ends.
    void forgetWord(const QString& word);

    // Paragraphs checked since the speller was made: what an edit cost.
    qint64 blocksChecked() const { return m_blocksChecked; }
    // Every paragraph is checked in the current round.
    bool isComplete() const { return m_complete; }

Q_SIGNALS:
    // The popup's Spelling command: a check from the word on.
    void spellCheckRequested();

private:
    void contentsChange(int position, int removed, int added);
    // An edit while a check owns the checker, which cannot check a paragraph meanwhile: the
    // underlines follow the text, and the check's end starts a new round.
    void followEdit(int position, int removed, int added);
    void caretMoved();
    void holdWordTypedAt(const QTextBlock& block, int position);
    void releaseHold(bool recheckHeld);
    void checkVisible();
    void idleSlice();
    void scheduleIdle();
    void checkBlock(const QTextBlock& block);
    void setUnderlines(const QTextBlock& block, const QList<QTextLayout::FormatRange>& ranges);
    void clearAll();
    bool isChecked(const QTextBlock& block) const;
    void replaceWord(const QTextCursor& word, const QString& replacement);
    void addWord(const QString& word);
    void ignoreAll(const QString& word);

    QPointer<QPlainTextEdit> m_memo;
    kerfa::spelling::TSpellCheckerBase& m_checker;
    QTextCharFormat m_format;
    QTimer m_idle;
    // The round; a paragraph whose user state differs waits for a check.
    int m_round = 0;
    // Where the idle pass goes on, as a text position (paragraphs come and go meanwhile).
    int m_idleFrom = 0;
    int m_idleScanned = 0;
    bool m_complete = false;
    bool m_applying = false;
    // Where the writer is typing a word not underlined before (null when nothing is typed):
    // the word there is left unmarked. It follows the edits around it.
    QTextCursor m_hold;
    // The word left unmarked, as text positions; -1 when none is.
    int m_heldStart = -1;
    int m_heldEnd = -1;
    qint64 m_blocksChecked = 0;
};
