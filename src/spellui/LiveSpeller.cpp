#include "spellui/LiveSpeller.h"

#include "spelling/TSpellCheckerBase.h"
#include "spellui/CodePageText.h"
#include "spellui/SpellTexts.h"
#include "spellui/TPlainTextEditParser.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace kerfa::spelling;

namespace {

// An edit touching more paragraphs than this (a paste, a replace over the text, a load) leaves
// them to the idle pass, the lines in view first.
constexpr int kTypedBlocks = 8;
// The lines in view never hold more paragraphs than this; a bound for a view not laid out yet.
constexpr int kMostVisibleBlocks = 400;
// One idle slice; a key pressed meanwhile waits at most this long.
constexpr qint64 kSliceNs = 500'000;
// The popup offers the first few suggestions only.
constexpr int kMenuSuggestions = 5;
// Rounds wrap before the user state could reach -1, which marks a paragraph never checked.
constexpr int kRoundMask = 0x3fffffff;

QList<LiveSpeller*>& spellers() {
    static QList<LiveSpeller*> all;
    return all;
}

} // namespace

LiveSpeller::LiveSpeller(QPlainTextEdit* memo, TSpellCheckerBase& checker)
    : m_memo(memo), m_checker(checker) {
    spellers().append(this);
    m_format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    m_format.setUnderlineColor(Qt::red);
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &LiveSpeller::idleSlice);
    connect(memo->document(), &QTextDocument::contentsChange, this, &LiveSpeller::contentsChange);
    // Lines scrolled into view are checked at once; lines a larger window shows, by the idle
    // pass, which starts each slice with the lines in view.
    connect(memo->verticalScrollBar(), &QScrollBar::valueChanged, this, &LiveSpeller::checkVisible);
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, &LiveSpeller::caretMoved);
    recheck();
}

LiveSpeller::~LiveSpeller() {
    spellers().removeOne(this);
}

bool LiveSpeller::isActive() const {
    return m_checker.Config().Options().Has(soLiveSpelling);
}

void LiveSpeller::recheck() {
    m_round = (m_round + 1) & kRoundMask;
    if (!isActive()) {
        m_idle.stop();
        releaseHold(false);
        clearAll();
        m_complete = true;
        return;
    }
    checkVisible();
    scheduleIdle();
}

void LiveSpeller::recheckEverywhere(bool reload) {
    for (LiveSpeller* speller : std::as_const(spellers())) {
        if (reload && !speller->m_checker.IsChecking())
            speller->m_checker.UnloadDictionaries();
        speller->recheck();
    }
}

bool LiveSpeller::isChecked(const QTextBlock& block) const {
    return block.userState() == m_round;
}

void LiveSpeller::contentsChange(int position, int removed, int added) {
    if (m_applying || !m_memo || !isActive())
        return;
    if (m_checker.IsChecking()) {
        followEdit(position, removed, added);
        return;
    }
    QTextDocument* document = m_memo->document();
    const QTextBlock first = document->findBlock(position);
    QTextBlock last = document->findBlock(position + added);
    if (!last.isValid())
        last = document->lastBlock();
    // Typing: one paragraph changed, the caret standing where the change ends.
    if (first == last && m_memo->textCursor().position() == position + added) {
        holdWordTypedAt(first, position);
    } else {
        const int from = first.position();
        const int to = last.position() + last.length();
        const bool heldInEdit =
            !m_hold.isNull() && m_hold.position() >= from && m_hold.position() < to;
        releaseHold(!heldInEdit);
    }
    int touched = 0;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        block.setUserState(-1);
        ++touched;
        if (block == last)
            break;
    }
    if (touched > kTypedBlocks) {
        scheduleIdle();
        return;
    }
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        checkBlock(block);
        if (block == last)
            break;
    }
}

void LiveSpeller::followEdit(int position, int removed, int added) {
    QTextDocument* document = m_memo->document();
    const QTextBlock first = document->findBlock(position);
    QTextBlock last = document->findBlock(position + added);
    if (!last.isValid())
        last = document->lastBlock();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        block.setUserState(-1);
        if (first != last)
            setUnderlines(block, {});
        if (block == last)
            break;
    }
    if (first != last)
        return;
    // The underlines before the edit stay, those after it move with their words, and those
    // of the words it touched go: the check itself shows what is still wrong there.
    const int column = position - first.position();
    QList<QTextLayout::FormatRange> kept;
    for (QTextLayout::FormatRange range : underlines(first)) {
        if (range.start + range.length <= column) {
            kept.append(range);
        } else if (range.start >= column + removed) {
            range.start += added - removed;
            kept.append(range);
        }
    }
    setUnderlines(first, kept);
}

void LiveSpeller::holdWordTypedAt(const QTextBlock& block, int position) {
    if (!m_hold.isNull() && m_hold.block() != block)
        releaseHold(true);
    // The paragraph's underlines still stand where they stood before the edit, and so does the
    // edit's start: an edit in or right after an underlined word goes on being checked.
    const int column = position - block.position();
    for (const QTextLayout::FormatRange& range : underlines(block))
        if (column >= range.start && column <= range.start + range.length) {
            releaseHold(false);
            return;
        }
    m_hold = QTextCursor(m_memo->document());
    m_hold.setPosition(m_memo->textCursor().position());
}

void LiveSpeller::caretMoved() {
    if (m_hold.isNull() || !m_memo)
        return;
    const int caret = m_memo->textCursor().position();
    const bool inWord =
        m_heldStart >= 0 ? caret >= m_heldStart && caret <= m_heldEnd : caret == m_hold.position();
    if (!inWord)
        releaseHold(true);
}

void LiveSpeller::releaseHold(bool recheckHeld) {
    if (m_hold.isNull())
        return;
    const QTextBlock block = m_hold.block();
    const bool held = m_heldStart >= 0;
    m_hold = QTextCursor();
    m_heldStart = m_heldEnd = -1;
    if (recheckHeld && held && block.isValid() && isActive())
        checkBlock(block);
}

void LiveSpeller::checkVisible() {
    // Laying out a paragraph with new underlines may move the scroll bar: not a new view.
    if (m_applying || !m_memo || m_checker.IsChecking() || !isActive())
        return;
    QTextBlock block = m_memo->cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock last =
        m_memo->cursorForPosition(QPoint(0, m_memo->viewport()->height())).block();
    for (int seen = 0; block.isValid() && seen < kMostVisibleBlocks; ++seen) {
        if (!isChecked(block))
            checkBlock(block);
        if (block == last)
            break;
        block = block.next();
    }
}

void LiveSpeller::scheduleIdle() {
    m_complete = false;
    m_idleScanned = 0;
    if (m_memo)
        m_idleFrom = m_memo->cursorForPosition(QPoint(0, 0)).block().position();
    m_idle.start();
}

void LiveSpeller::idleSlice() {
    if (!m_memo || !isActive())
        return;
    // A check owns the checker until it ends; it starts a new round then.
    if (m_checker.IsChecking())
        return;
    checkVisible();
    QElapsedTimer clock;
    clock.start();
    QTextDocument* document = m_memo->document();
    QTextBlock block = document->findBlock(m_idleFrom);
    if (!block.isValid())
        block = document->begin();
    while (m_idleScanned < document->blockCount()) {
        if (!isChecked(block))
            checkBlock(block);
        ++m_idleScanned;
        block = block.next();
        if (!block.isValid())
            block = document->begin();
        if (clock.nsecsElapsed() > kSliceNs) {
            m_idleFrom = block.position();
            m_idle.start();
            return;
        }
    }
    m_complete = true;
}

void LiveSpeller::checkBlock(const QTextBlock& block) {
    if (m_checker.IsChecking())
        return;
    const bool holding = !m_hold.isNull() && m_hold.block() == block;
    const int holdColumn = holding ? m_hold.positionInBlock() : -1;
    if (holding)
        m_heldStart = m_heldEnd = -1;
    QList<QTextLayout::FormatRange> ranges;
    for (const TSpellCheckerBase::TWordSpan& span :
         m_checker.FindUnknownWords(TPlainTextEditParser::lineBytes(block.text()))) {
        const int start = static_cast<int>(span.start);
        const int end = start + static_cast<int>(span.length);
        if (holding && start <= holdColumn && holdColumn <= end) {
            m_heldStart = block.position() + start;
            m_heldEnd = block.position() + end;
            continue;
        }
        QTextLayout::FormatRange range;
        range.start = start;
        range.length = end - start;
        range.format = m_format;
        ranges.append(range);
    }
    QTextBlock(block).setUserState(m_round);
    setUnderlines(block, ranges);
    ++m_blocksChecked;
}

void LiveSpeller::setUnderlines(const QTextBlock& block,
                                const QList<QTextLayout::FormatRange>& ranges) {
    QTextLayout* layout = block.layout();
    if (!layout || layout->formats() == ranges)
        return;
    layout->setFormats(ranges);
    // Lays the paragraph out again to draw the change; the text itself did not change.
    m_applying = true;
    m_memo->document()->markContentsDirty(block.position(), block.length());
    m_applying = false;
}

void LiveSpeller::clearAll() {
    if (!m_memo)
        return;
    for (QTextBlock block = m_memo->document()->begin(); block.isValid(); block = block.next())
        if (block.layout() && !block.layout()->formats().isEmpty())
            setUnderlines(block, {});
}

QList<QTextLayout::FormatRange> LiveSpeller::underlines(const QTextBlock& block) const {
    return block.layout() ? block.layout()->formats() : QList<QTextLayout::FormatRange>();
}

QTextCursor LiveSpeller::unknownWordAt(const QPoint& viewportPos) const {
    if (!m_memo)
        return {};
    const QTextCursor at = m_memo->cursorForPosition(viewportPos);
    const QTextBlock block = at.block();
    const int column = at.positionInBlock();
    for (const QTextLayout::FormatRange& range : underlines(block)) {
        if (column < range.start || column > range.start + range.length)
            continue;
        QTextCursor word(block);
        word.setPosition(block.position() + range.start);
        word.setPosition(block.position() + range.start + range.length, QTextCursor::KeepAnchor);
        return word;
    }
    return {};
}

bool LiveSpeller::addMenuCommands(QMenu* menu, const QPoint& viewportPos) {
    if (!menu || m_checker.IsChecking() || !isActive())
        return false;
    const QTextCursor word = unknownWordAt(viewportPos);
    if (word.isNull())
        return false;
    const QString text = word.selectedText();
    std::vector<std::string> suggestions;
    m_checker.BuildSuggestions(CodePageText::toBytes(text), kMenuSuggestions, suggestions);

    QAction* before = menu->actions().value(0);
    const auto command = [&](TSpellLanguageString id, const char* name) {
        auto* action = new QAction(SpellTexts::text(m_checker, id), menu);
        action->setObjectName(QLatin1String(name));
        menu->insertAction(before, action);
        return action;
    };
    if (suggestions.empty())
        command(lsMnNoSuggestions, "pmnuNoSuggestions")->setEnabled(false);
    for (const std::string& suggestion : suggestions) {
        const QString replacement = CodePageText::fromBytes(suggestion);
        auto* action = new QAction(replacement, menu);
        action->setObjectName(QStringLiteral("pmnuSuggestion"));
        menu->insertAction(before, action);
        connect(action, &QAction::triggered, this,
                [this, word, replacement] { replaceWord(word, replacement); });
    }
    menu->insertSeparator(before);
    connect(command(lsMnIgnoreAll, "pmnuIgnoreAll"), &QAction::triggered, this,
            [this, text] { ignoreAll(text); });
    QAction* add = command(lsMnAdd, "pmnuAdd");
    add->setEnabled(m_checker.ActiveCustomDictionary() != nullptr);
    connect(add, &QAction::triggered, this, [this, text] { addWord(text); });
    connect(command(lsMnSpelling, "pmnuSpelling"), &QAction::triggered, this, [this, word] {
        // The check starts at the word.
        if (m_memo) {
            QTextCursor start(word);
            start.setPosition(word.selectionStart());
            m_memo->setTextCursor(start);
        }
        Q_EMIT spellCheckRequested();
    });
    if (before)
        menu->insertSeparator(before);
    return true;
}

void LiveSpeller::forgetWord(const QString& word) {
    if (!m_memo)
        return;
    for (QTextBlock block = m_memo->document()->begin(); block.isValid(); block = block.next()) {
        const QList<QTextLayout::FormatRange> ranges = underlines(block);
        QList<QTextLayout::FormatRange> kept;
        for (const QTextLayout::FormatRange& range : ranges)
            if (block.text().mid(range.start, range.length) != word)
                kept.append(range);
        if (kept.size() != ranges.size())
            setUnderlines(block, kept);
    }
}

void LiveSpeller::replaceWord(const QTextCursor& word, const QString& replacement) {
    QTextCursor cursor(word);
    cursor.insertText(replacement);
}

void LiveSpeller::addWord(const QString& word) {
    if (m_checker.AddWord(CodePageText::toBytes(word)))
        recheckEverywhere(true);
}

void LiveSpeller::ignoreAll(const QString& word) {
    m_checker.IgnoreWord(CodePageText::toBytes(word));
    recheck();
}
