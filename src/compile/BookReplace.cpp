#include "compile/BookReplace.h"

#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/LiveSheetText.h"
#include "editor/SheetText.h"
#include "platform/WaitCursor.h"
#include "project/BookJournal.h"
#include "project/ProjectState.h"

namespace {

QString oneBreakPerLine(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

BookReplace::BookReplace(const ProjectState& project, const Desk& desk, EditorRegistry& editors,
                         QObject* parent)
    : QObject(parent), m_project(project), m_desk(desk), m_editors(editors) {}

const QList<BookReplace::Hit>& BookReplace::search(const QString& findText, bool matchCase,
                                                   bool wholeWords) {
    m_hits.clear();
    m_searched.clear();
    m_findLength = findText.size();
    if (findText.isEmpty())
        return m_hits;
    const WaitCursor wait;
    const BookMatches matches(findText, matchCase, wholeWords);
    for (const TKerfa* sheet : m_desk.sheets()) {
        if (sheet->SheetType == 0)
            continue;
        TfmEditor* editor = m_editors.editorOf(sheet);
        // Files that do not hold the find text at all are passed over without being read whole.
        if (!editor &&
            !matches.mayBeIn(SheetText::pathOf(m_project.projectFolder, sheet->SheetName))
                 .value_or(false))
            continue;
        const std::optional<QString> text =
            LiveSheetText(m_project.projectFolder, sheet->SheetName, editor).read();
        if (!text)
            continue;
        QString searched = oneBreakPerLine(*text);
        const QList<BookMatches::Match> found = matches.in(searched);
        if (found.isEmpty())
            continue;
        for (const BookMatches::Match& match : found)
            m_hits.append({sheet->SheetName, match});
        m_searched.insert(sheet->SheetName, std::move(searched));
    }
    return m_hits;
}

int BookReplace::sheetsHit() const {
    return int(m_searched.size());
}

void BookReplace::clear() {
    m_hits.clear();
    m_searched.clear();
    Q_EMIT cleared();
}

BookReplace::Outcome BookReplace::replace(const QList<bool>& ticked, const QString& with) {
    Outcome outcome;
    const WaitCursor wait;
    // The ticked offsets of each sheet, sheets in the order of the hits.
    QStringList order;
    QHash<QString, QList<qsizetype>> offsets;
    for (qsizetype i = 0; i < m_hits.size() && i < ticked.size(); ++i) {
        if (!ticked[i])
            continue;
        const Hit& hit = m_hits[i];
        if (!offsets.contains(hit.sheet))
            order << hit.sheet;
        offsets[hit.sheet].append(hit.match.offset);
    }
    // The texts of sheets without an open editor are written beside their files first and put
    // in place together, so that a replace cut short changes every one of them or none.
    BookJournal journal(m_project.projectFolder);
    QStringList inFiles;
    for (const QString& name : std::as_const(order))
        if (const TKerfa* sheet = m_desk.findSheet(name); sheet && !m_editors.editorOf(sheet))
            inFiles << name;
    const bool journalled = inFiles.isEmpty() || journal.beginTexts(inFiles);
    QStringList staged;
    for (const QString& name : std::as_const(order)) {
        const TKerfa* sheet = m_desk.findSheet(name);
        if (!sheet)
            continue;
        LiveSheetText text(m_project.projectFolder, name, m_editors.editorOf(sheet));
        const std::optional<QString> current = text.read();
        if (!current || oneBreakPerLine(*current) != m_searched.value(name)) {
            if (current)
                outcome.changedSince << name;
            else
                outcome.failed << name;
            continue;
        }
        const QList<qsizetype>& at = offsets[name];
        const QString replaced =
            BookMatches::replaced(m_searched.value(name), at, m_findLength, with);
        const bool written = text.inEditor()
                                 ? text.takeSnapshot() && text.write(replaced)
                                 : journalled && text.takeSnapshot() &&
                                       SheetText::write(journal.stagedText(name), replaced);
        if (!written) {
            outcome.failed << name;
            continue;
        }
        if (!text.inEditor())
            staged << name;
        outcome.replaced += int(at.size());
        ++outcome.sheets;
    }
    if (!inFiles.isEmpty())
        for (const QString& name : journal.finishTexts(staged)) {
            outcome.failed << name;
            outcome.replaced -= int(offsets[name].size());
            --outcome.sheets;
        }
    m_hits.clear();
    m_searched.clear();
    return outcome;
}
