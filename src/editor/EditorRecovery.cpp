#include "editor/EditorRecovery.h"

#include "editor/MemoEdit.h"
#include "editor/TfmEditor.h"
#include "project/RecoveryRun.h"

#include <QTextDocument>

EditorRecovery::EditorRecovery(TfmEditor* editor, RecoveryRun& run)
    : QObject(editor), m_editor(editor), m_run(run) {
    setObjectName(QStringLiteral("editorRecovery"));
    m_clock.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &EditorRecovery::due);
    const QTextDocument* document = editor->memo()->document();
    connect(document, &QTextDocument::contentsChanged, this, &EditorRecovery::changed);
    connect(document, &QTextDocument::modificationChanged, this,
            &EditorRecovery::modificationChanged);
    // Closed with its changes saved, or thrown away at the save question.
    connect(editor, &TfmEditor::closed, this, &EditorRecovery::drop);
}

EditorRecovery::~EditorRecovery() {
    drop();
}

void EditorRecovery::changed() {
    if (!m_run.isEnabled() || !m_editor->isModified())
        return;
    const qint64 now = m_clock.elapsed();
    m_schedule.changed(now);
    if (!m_timer.isActive())
        m_timer.start(int(m_schedule.wait(now).value_or(0)));
}

void EditorRecovery::due() {
    const qint64 now = m_clock.elapsed();
    const std::optional<qint64> wait = m_schedule.wait(now);
    if (!wait)
        return;
    if (*wait > 0) {
        m_timer.start(int(*wait));
        return;
    }
    keepNow();
}

void EditorRecovery::keepNow() {
    m_schedule.done();
    m_timer.stop();
    if (!m_run.isEnabled() || !m_editor->isModified() || m_editor->sheetName().isEmpty())
        return;
    const QString folder = m_editor->projectFolder();
    const QString sheet = m_editor->sheetName();
    // The sheet was given another name since: its copy goes with the old one.
    if (!m_keptSheet.isEmpty() && (m_keptFolder != folder || m_keptSheet != sheet))
        m_run.drop(m_keptFolder, m_keptSheet);
    m_run.keep(folder, sheet, MemoEdit::textOf(m_editor->memo()->document()));
    m_keptFolder = folder;
    m_keptSheet = sheet;
}

void EditorRecovery::modificationChanged(bool modified) {
    if (!modified)
        drop();
}

void EditorRecovery::drop() {
    m_schedule.done();
    m_timer.stop();
    if (m_keptSheet.isEmpty())
        return;
    m_run.drop(m_keptFolder, m_keptSheet);
    m_keptFolder.clear();
    m_keptSheet.clear();
}
