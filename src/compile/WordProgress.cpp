#include "compile/WordProgress.h"

#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "project/ProjectState.h"
#include "project/TargetProgress.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

// The Compilation sheet holds the other sheets' text again: the book is the rest.
bool inBook(const TKerfa* sheet) {
    return sheet->SheetType != 0;
}

QString progressText(Messages::Key label, qint64 words, int target) {
    QString text = Messages::text(label) + u' ' + TargetProgress::figures(words, target);
    if (TargetProgress::met(words, target))
        text += QStringLiteral(" \u2713");
    return text;
}

} // namespace

WordProgress::WordProgress(Desk& desk, const EditorRegistry& editors, const ProjectState& project,
                           QObject* parent)
    : QObject(parent), m_desk(desk), m_editors(editors), m_project(project) {
    // One thread: the files are read one after another, beside the interface, not against it.
    m_pool.setMaxThreadCount(1);
    m_liveTimer.setSingleShot(true);
    m_liveTimer.setInterval(kLiveDelayMs);
    connect(&m_liveTimer, &QTimer::timeout, this, &WordProgress::liveCount);
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(0);
    connect(&m_refreshTimer, &QTimer::timeout, this, &WordProgress::refresh);
    connect(&editors, &EditorRegistry::editorAttached, this, &WordProgress::editorAttached);
    connect(&editors, &EditorRegistry::editorClosed, this, &WordProgress::editorClosed);
    // An empty desk is no book of no words: nothing is counted or logged until one is opened.
    connect(&desk, &Desk::clearing, this, &WordProgress::projectClosed);
    connect(&desk, &Desk::sheetRemoving, this, &WordProgress::sheetRemoving);
    connect(&desk, &Desk::linksChanged, this, &WordProgress::scheduleRefresh);
}

WordProgress::~WordProgress() {
    if (m_cancel)
        *m_cancel = true;
    m_pool.waitForDone();
}

void WordProgress::projectClosed() {
    ++m_generation;
    if (m_cancel)
        *m_cancel = true;
    m_counting = false;
    m_counted = false;
    m_bookWords = 0;
    m_log = DayLog();
    m_logNotSaved = false;
    m_typedIn.clear();
    Q_EMIT counted();
}

void WordProgress::projectOpened() {
    projectClosed();
    if (!m_project.onDisk)
        return;
    m_log = DayLog(m_project.projectFolder + DayLog::fileName());
    m_log.load();
    // Only the names are taken here, and the paths made on the counting thread: a large book's
    // desk is ready for the user that much sooner.
    QStringList names;
    names.reserve(m_desk.sheets().size());
    for (const TKerfa* sheet : m_desk.sheets())
        names.append(sheet->SheetName);
    const int generation = m_generation;
    auto cancel = m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_counting = true;
    m_pool.start([this, generation, cancel, folder = m_project.projectFolder,
                  names = std::move(names)] {
        QHash<QString, qint64> counts;
        counts.reserve(names.size());
        for (const QString& name : names) {
            if (*cancel)
                return;
            // A file that cannot be read adds nothing; the Word Count command reports it.
            counts.insert(name,
                          SheetText::countWordsInFile(SheetText::pathOf(folder, name)).value_or(0));
        }
        QMetaObject::invokeMethod(
            this, [this, generation, counts] { filesCounted(generation, counts); },
            Qt::QueuedConnection);
    });
}

void WordProgress::filesCounted(int generation, const QHash<QString, qint64>& counts) {
    if (generation != m_generation)
        return;
    m_counting = false;
    for (TKerfa* sheet : m_desk.sheets()) {
        qint64 words = counts.value(sheet->SheetName, -1);
        // An open editor may hold more than its file.
        if (const TfmEditor* editor = m_editors.editorOf(sheet))
            words = editor->CountWords();
        sheet->setWordCounts(words, sheet->chainWords());
    }
    m_typedIn.clear();
    m_counted = true;
    qint64 book = 0;
    for (const TKerfa* sheet : m_desk.sheets())
        if (inBook(sheet))
            book += std::max<qint64>(0, sheet->words());
    m_bookWords = book;
    // Kept in memory until the book changes: a book opened and closed unchanged stays as it was
    // on disk, day log and all.
    m_log.recordOpen(m_today(), book);
    refresh();
    Q_EMIT counted();
}

void WordProgress::scheduleRefresh() {
    if (!m_refreshTimer.isActive())
        m_refreshTimer.start();
}

void WordProgress::refresh() {
    m_refreshTimer.stop();
    // A project just loaded, or saved to a folder for the first time; an empty desk (a new book,
    // or one just closed) waits for its first sheet.
    if (!m_counted && !m_counting && m_project.onDisk && !m_desk.sheets().isEmpty()) {
        projectOpened();
        return;
    }
    if (m_counted) {
        // Sheets made, filled or closed since: their files now.
        for (TKerfa* sheet : m_desk.sheets())
            if (sheet->words() < 0) {
                const TfmEditor* editor = m_editors.editorOf(sheet);
                const qint64 words =
                    editor ? editor->CountWords()
                           : SheetText::countWordsInFile(
                                 SheetText::pathOf(m_project.projectFolder, sheet->SheetName))
                                 .value_or(0);
                sheet->setWordCounts(words, sheet->chainWords());
            }
    }
    updateChains();
    updateEditors();
    if (m_counted)
        recordBook();
}

void WordProgress::recordBook() {
    qint64 book = 0;
    for (const TKerfa* sheet : m_desk.sheets())
        if (inBook(sheet))
            book += std::max<qint64>(0, sheet->words());
    // Saved under another name in another folder: the log goes along.
    const QString path = m_project.projectFolder + DayLog::fileName();
    const bool moved = m_project.onDisk && path != m_log.path();
    if (moved) {
        DayLog log(path);
        log.parse(m_log.serialize());
        m_log = log;
    }
    const bool newDay =
        m_log.days().isEmpty() || m_log.days().last().date != m_log.effectiveDate(m_today());
    const bool changed = book != m_bookWords;
    if (!changed && !moved && !newDay)
        return;
    m_bookWords = book;
    m_log.recordCount(m_today(), book);
    if (m_project.onDisk && (changed || moved)) {
        if (m_log.save()) {
            m_logNotSaved = false;
        } else if (!m_logNotSaved) {
            // Set before the box shows: counts made while it is open are not told again.
            m_logNotSaved = true;
            MessageBoxes::warning(u'\'' + m_log.path() + QStringLiteral("' ") +
                                  Messages::text(Messages::CANNOT_SAVE_FILE));
        }
    }
    Q_EMIT counted();
}

qint64 WordProgress::writtenToday() const {
    return m_counted ? m_log.writtenToday(m_today()) : 0;
}

void WordProgress::updateChains() {
    for (TKerfa* sheet : m_desk.sheets()) {
        if (sheet->chainTarget() == 0)
            continue;
        // A target kept by a sheet that starts no chain shows nothing.
        if (!sheet->headsChain()) {
            sheet->setWordCounts(sheet->words(), -1);
            continue;
        }
        qint64 sum = 0;
        for (const TKerfa* link : m_desk.chain(sheet)) {
            if (link->words() < 0) {
                sum = -1;
                break;
            }
            sum += link->words();
        }
        sheet->setWordCounts(sheet->words(), sum);
    }
}

void WordProgress::updateEditors() {
    for (TKerfa* sheet : m_desk.sheets())
        if (TfmEditor* editor = m_editors.editorOf(sheet))
            editor->setTargetStatus(targetStatus(sheet));
}

QString WordProgress::targetStatus(TKerfa* sheet) const {
    QStringList parts;
    if (TargetProgress::shown(sheet->words(), sheet->target()))
        parts << progressText(Messages::TARGET_WORDS, sheet->words(), sheet->target());
    const TKerfa* head = m_desk.chainHead(sheet);
    if (head->headsChain() && TargetProgress::shown(head->chainWords(), head->chainTarget()))
        parts << progressText(Messages::CHAIN_TARGET_WORDS, head->chainWords(),
                              head->chainTarget());
    return parts.join(QStringLiteral("    "));
}

void WordProgress::editorAttached(TKerfa* sheet, TfmEditor* editor) {
    connect(editor->memo()->document(), &QTextDocument::contentsChanged, this, [this, sheet] {
        m_typedIn.insert(sheet);
        // Counted a moment after typing begins, then again after each moment of it: never at
        // every key.
        if (!m_liveTimer.isActive())
            m_liveTimer.start();
    });
    m_typedIn.insert(sheet);
    m_liveTimer.start();
}

void WordProgress::liveCount() {
    const QSet<TKerfa*> typedIn = std::exchange(m_typedIn, {});
    for (TKerfa* sheet : typedIn)
        if (const TfmEditor* editor = m_editors.editorOf(sheet))
            sheet->setWordCounts(editor->CountWords(), sheet->chainWords());
    refresh();
}

void WordProgress::editorClosed(TKerfa* sheet) {
    // Saved or not, the sheet's words are its file's again.
    m_typedIn.remove(sheet);
    sheet->setWordCounts(-1, sheet->chainWords());
    scheduleRefresh();
}

void WordProgress::sheetRemoving(TKerfa* sheet) {
    m_typedIn.remove(sheet);
    scheduleRefresh();
}
