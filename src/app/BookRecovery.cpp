#include "app/BookRecovery.h"

#include "app/SheetTextCommands.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/EditorRecovery.h"
#include "editor/EditorRegistry.h"
#include "editor/LiveSheetText.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "project/ProjectCommands.h"
#include "project/ProjectState.h"
#include "project/SnapshotStore.h"

#include <QFileInfo>

namespace {

QString oneBreakALine(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

BookRecovery::BookRecovery(RecoveryRun& run, const ProjectState& project, const Desk& desk,
                           EditorRegistry& editors, SheetTextCommands& texts,
                           ProjectCommands& commands, QObject* parent)
    : QObject(parent), m_project(project), m_desk(desk), m_texts(texts), m_run(run) {
    connect(&editors, &EditorRegistry::editorAttached, this,
            [this](TKerfa*, TfmEditor* editor) { new EditorRecovery(editor, m_run); });
    connect(&commands, &ProjectCommands::projectClosed, this, &BookRecovery::closeBooks);
    // Once the load is over and the window stands.
    connect(&commands, &ProjectCommands::projectLoaded, this, &BookRecovery::bookOpened,
            Qt::QueuedConnection);
}

void BookRecovery::closeBooks() {
    m_run.dropAll();
}

void BookRecovery::bookOpened(const QString& path) {
    // Another book may have taken its place meanwhile.
    if (!m_project.onDisk || QFileInfo(path) != QFileInfo(m_project.projectPath()))
        return;
    // The books closed before it leave no folders of this run.
    m_run.dropAll();
    if (const QList<TfmRecovery::Entry> entries = offered(); !entries.isEmpty())
        Q_EMIT copiesFound(entries);
}

QList<TfmRecovery::Entry> BookRecovery::offered() {
    if (!m_project.onDisk)
        return {};
    // The copies this run was asked to throw away are gone first.
    m_run.wait();
    return entriesOf(m_run.store().ended(m_project.projectFolder));
}

QList<TfmRecovery::Entry> BookRecovery::everything() {
    // The copies this run was asked to throw away are gone first.
    m_run.wait();
    return entriesOf(m_run.store().ended());
}

QList<TfmRecovery::Entry> BookRecovery::entriesOf(const QList<RecoveryStore::Copy>& copies) {
    const QString open = m_project.onDisk ? m_project.projectFolder : QString();
    const auto sheetExists = [this](const QString& name) {
        return m_desk.findSheet(name);
    };
    QList<TfmRecovery::Entry> entries;
    for (const RecoveryStore::Copy& copy : copies) {
        TfmRecovery::Entry entry{copy, RecoveryStore::offerFor(copy, open, sheetExists), {}};
        if (entry.offer == RecoveryStore::Offer::Restore) {
            const QString file = SheetText::pathOf(m_project.projectFolder, copy.sheetName);
            entry.saved = SheetText(file).exists() ? SheetText::read(file) : QString();
            if (entry.saved && oneBreakALine(*entry.saved) == copy.text) {
                m_run.discard(copy.path);
                continue;
            }
        }
        entries << entry;
    }
    return entries;
}

bool BookRecovery::restore(const TfmRecovery::Entry& entry) {
    const QString& name = entry.copy.sheetName;
    TKerfa* sheet = m_desk.findSheet(name);
    // Asked again: the desk may hold another book, or lack the sheet, by now.
    if (!sheet || !m_project.onDisk ||
        RecoveryStore::offerFor(entry.copy, m_project.projectFolder, [](const QString&) {
            return true;
        }) != RecoveryStore::Offer::Restore)
        return false;
    const QString folder = m_project.projectFolder;
    const QString file = SheetText::pathOf(folder, name);
    // The saved text first becomes a snapshot, so that the restore can itself be undone.
    if (SheetText(file).exists()) {
        const std::optional<QString> saved = SheetText::read(file);
        if (!saved) {
            MessageBoxes::warning(Messages::text(Messages::CANNOT_OPEN_FILE));
            return false;
        }
        if (!saved->isEmpty() && !SnapshotStore(folder).take(name, *saved)) {
            MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
            return false;
        }
    }
    TfmEditor* editor = m_texts.OpenEditor(sheet);
    if (!editor)
        return false;
    LiveSheetText live(folder, name, editor);
    // Unsaved text of this run in the editor is kept too.
    if (editor->isModified() && !live.takeSnapshot()) {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
        return false;
    }
    if (!live.write(entry.copy.text)) {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
        return false;
    }
    // The text is never only in the window: this run's copy is written before the old one goes.
    if (auto* keeper = editor->findChild<EditorRecovery*>())
        keeper->keepNow();
    m_run.discard(entry.copy.path);
    return true;
}

void BookRecovery::discard(const TfmRecovery::Entry& entry) {
    m_run.discard(entry.copy.path);
}

TfmRecovery::Actions BookRecovery::actions() {
    return {[this](const TfmRecovery::Entry& entry) { return restore(entry); },
            [this](const TfmRecovery::Entry& entry) {
                discard(entry);
            }};
}
