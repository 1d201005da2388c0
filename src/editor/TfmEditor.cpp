#include "editor/TfmEditor.h"

#include "common/AsciiCase.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "editor/EditorMenus.h"
#include "editor/EditorOptions.h"
#include "editor/ExploreFolder.h"
#include "editor/MemoEdit.h"
#include "editor/SheetText.h"
#include "editor/TfmFindReplace.h"
#include "editor/TfmSnapshots.h"
#include "editor/WordCount.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/WaitCursor.h"
#include "project/SnapshotStore.h"
#include "spellui/EditorSpeller.h"
#include "spellui/LiveSpeller.h"
#include "spellui/TThesaurus.h"
#include "spellui/ThesaurusTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTextCursor>
#include <QTime>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kMsPerMinute = 60 * 1000;
// A window placed smaller than this from a damaged file would be hard to find and use.
constexpr QSize kSmallest(200, 120);

} // namespace

TfmEditor::TfmEditor(const EditorOptions& options, QWidget* parent)
    : QMainWindow(parent), m_options(options), m_positioning(options.settings().positioning) {
    setObjectName(QStringLiteral("fmEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_memEditor = new MemoEdit(this);
    // Until the opener gives the user's font.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(18);
    m_memEditor->setFont(font);
    m_memEditor->setContextMenuPolicy(Qt::CustomContextMenu);
    setCentralWidget(m_memEditor);
    m_sbStatus = new QStatusBar(this);
    m_sbStatus->setObjectName(QStringLiteral("sbStatus"));
    m_status = new QLabel(m_sbStatus);
    m_sbStatus->addWidget(m_status, 1);
    m_lblTarget = new QLabel(m_sbStatus);
    m_lblTarget->setObjectName(QStringLiteral("lblTarget"));
    m_lblTarget->setVisible(false);
    m_sbStatus->addPermanentWidget(m_lblTarget);
    setStatusBar(m_sbStatus);
    m_tmrAutoSave = new QTimer(this);
    m_tmrAutoSave->setObjectName(QStringLiteral("tmrAutoSave"));
    m_menus = std::make_unique<EditorMenus>(*this);
    ApplyLanguageToEditor();
    resize(600, 400);

    connect(m_tmrAutoSave, &QTimer::timeout, this, &TfmEditor::tmrAutoSaveTimer);
    connect(m_memEditor, &QWidget::customContextMenuRequested, this, &TfmEditor::showPopup);
    connect(m_memEditor, &MemoEdit::filesDropped, this, &TfmEditor::WMDropFiles);
    connect(m_memEditor, &MemoEdit::repeatFindPressed, this, &TfmEditor::mnuRepeatFindClick);
    // The caption and the commands follow the memo as it changes, so that every shortcut
    // works the moment its command can.
    connect(m_memEditor, &QPlainTextEdit::textChanged, this, &TfmEditor::UpdateEditorState);
    connect(m_memEditor, &QPlainTextEdit::selectionChanged, this, &TfmEditor::UpdateEditorState);
    connect(m_memEditor, &QPlainTextEdit::undoAvailable, this, &TfmEditor::UpdateEditorState);
    connect(m_memEditor, &QPlainTextEdit::modificationChanged, this, &TfmEditor::UpdateEditorState);
    connect(m_memEditor, &QPlainTextEdit::modificationChanged, this, &TfmEditor::firstChange);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &TfmEditor::clipboardChanged);
    clipboardChanged();
    connect(&m_options, &EditorOptions::changed, this, &TfmEditor::optionsChanged);
    // A sync client writes a file in several steps: the check waits until they are done.
    m_watcher = new QFileSystemWatcher(this);
    m_tmrDiskCheck = new QTimer(this);
    m_tmrDiskCheck->setSingleShot(true);
    m_tmrDiskCheck->setInterval(250);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_tmrDiskCheck,
            qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_tmrDiskCheck,
            qOverload<>(&QTimer::start));
    connect(m_tmrDiskCheck, &QTimer::timeout, this, &TfmEditor::checkFileOnDisk);
    FormCreate();
}

TfmEditor::~TfmEditor() = default;

void TfmEditor::FormCreate() {
    m_firstShow = true;
    m_tmrAutoSave->stop();
    m_memEditor->document()->setModified(false);
    setWindowTitle(QStringLiteral("nofile"));
    UpdateEditorState();
}

void TfmEditor::setSheet(const QString& projectFolder, const QString& sheetName) {
    m_projectFolder = projectFolder;
    m_sheetName = sheetName;
    UpdateEditorState();
}

QString TfmEditor::textFilePath() const {
    return SheetText::pathOf(m_projectFolder, m_sheetName);
}

QString TfmEditor::sheetFilePath() const {
    return m_projectFolder + QStringLiteral("Kerfa Files/") + m_sheetName + QStringLiteral(".kfa");
}

void TfmEditor::setMemoFont(const QString& family, int pointSize) {
    QFont font = m_memEditor->font();
    // No font chosen (the one named is not installed): the desktop's own.
    font.setFamily(family.isEmpty() ? QFont().family() : family);
    font.setPointSize(std::max(1, pointSize));
    m_memEditor->setFont(font);
}

QPlainTextEdit* TfmEditor::memo() const {
    return m_memEditor;
}

TfmFindReplace* TfmEditor::findReplace() const {
    return m_findReplace;
}

QString TfmEditor::statusText() const {
    return m_status->text();
}

void TfmEditor::setTargetStatus(const QString& text) {
    m_lblTarget->setText(text);
    m_lblTarget->setVisible(!text.isEmpty());
}

QString TfmEditor::targetStatus() const {
    return m_lblTarget->text();
}

bool TfmEditor::isModified() const {
    return m_memEditor->document()->isModified();
}

void TfmEditor::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfmEditor::FormShow() {
    setAcceptDrops(true);
    if (m_firstShow) {
        LoadEditorSettings();
        if (m_placement.maximised) {
            setWindowState(windowState() | Qt::WindowMaximized);
        } else if (m_positioning != EditorSettings::None) {
            move(m_placement.bounds.topLeft());
            resize(m_placement.bounds.size().expandedTo(kSmallest));
        }
        m_firstShow = false;
        // Once the window stands: reading the dictionaries must not hold up its first show.
        QTimer::singleShot(0, this, &TfmEditor::startLiveSpelling);
    }
    if (!m_textLoaded)
        loadText();
    UpdateEditorState();
    ShowAutoSaveStatus();
}

void TfmEditor::loadText() {
    m_textLoaded = true;
    watchFile();
    if (!m_memEditor->document()->isEmpty())
        return;
    if (!QFileInfo::exists(textFilePath()) && !SheetText::isLinked(textFilePath())) {
        m_onDisk = FileStamp::of(textFilePath(), {});
        return;
    }
    SheetText text(textFilePath());
    if (!text.load()) {
        // Whatever was typed here would be saved over the text that could not be read.
        m_memEditor->setReadOnly(true);
        MessageBoxes::warning(SheetText::isLinked(textFilePath())
                                  ? SheetText::linkedMessage(textFilePath())
                                  : Messages::text(Messages::CANNOT_OPEN_FILE));
        return;
    }
    // Loading is no change of the writer's.
    m_loading = true;
    m_memEditor->setPlainText(text.text());
    m_memEditor->document()->setModified(false);
    m_loading = false;
    m_onDisk = text.stamp();
    watchFile();
}

void TfmEditor::watchFile() {
    // The folder tells of a file replaced by a rename (as every save replaces it), the file of
    // one written in place; a file replaced is watched anew.
    for (const QString& path : {QFileInfo(textFilePath()).absolutePath(), textFilePath()})
        if (QFileInfo::exists(path) && !m_watcher->files().contains(path) &&
            !m_watcher->directories().contains(path))
            m_watcher->addPath(path);
}

void TfmEditor::checkFileOnDisk() {
    if (!m_onDisk || m_settling || isModified() || m_memEditor->isReadOnly() ||
        !m_onDisk->changedSince(textFilePath(), SheetText::kMaxBytes))
        return;
    reloadText();
}

void TfmEditor::reloadText() {
    SheetText text(textFilePath());
    if (!text.load())
        return;
    const int position = m_memEditor->textCursor().position();
    m_loading = true;
    m_memEditor->setPlainText(text.text());
    m_memEditor->document()->setModified(false);
    m_loading = false;
    QTextCursor cursor = m_memEditor->textCursor();
    cursor.setPosition(std::min(position, m_memEditor->document()->characterCount() - 1));
    m_memEditor->setTextCursor(cursor);
    m_onDisk = text.stamp();
    watchFile();
    m_status->setText(u' ' + Messages::text(Messages::TEXT_RELOADED));
    UpdateEditorState();
}

bool TfmEditor::settleChangedFile(bool& taken) {
    m_settling = true;
    const MessageBoxes::Answer answer = MessageBoxes::confirm(
        Messages::text(Messages::TEXT_CHANGED_ON_DISK), MessageBoxes::Buttons::YesNoCancel);
    m_settling = false;
    if (answer == MessageBoxes::Answer::Cancel)
        return false;
    const std::optional<QString> other = SheetText::read(textFilePath());
    if (!other) {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_OPEN_FILE));
        return false;
    }
    const QString given = answer == MessageBoxes::Answer::Yes ? *other : m_memEditor->text();
    if (!given.isEmpty() && !SnapshotStore(m_projectFolder).take(m_sheetName, given)) {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
        return false;
    }
    if (answer == MessageBoxes::Answer::No) {
        reloadText();
        taken = true;
    }
    return true;
}

void TfmEditor::LoadEditorSettings() {
    const EditorSettings& settings = m_options.settings();
    m_autoSave = settings.autoSave;
    m_autoSaveInterval = settings.autoSaveInterval;
    restartTimer();
    m_placement = WindowPlacement();
    if (m_positioning == EditorSettings::RememberAll)
        m_placement = WindowPlacement::read(IniFile(sheetFilePath()));
    else if (m_positioning == EditorSettings::Single)
        m_placement = WindowPlacement::read(IniFile(settings.settingsFile));
}

void TfmEditor::restartTimer() {
    m_tmrAutoSave->stop();
    // An interval below a minute (from a damaged settings file) would save without pause.
    if (m_autoSave)
        m_tmrAutoSave->start(std::max(1, m_autoSaveInterval) * kMsPerMinute);
}

void TfmEditor::UpdateEditorState() {
    const bool modified = isModified();
    if (!m_sheetName.isEmpty())
        setWindowTitle(Messages::text(Messages::EDITING_KERFA) + QStringLiteral(" '") +
                       m_sheetName + u'\'' + (modified ? QStringLiteral(" *") : QString()));
    EditorState state;
    state.modified = modified;
    state.hasText = !m_memEditor->document()->isEmpty();
    state.canUndo = m_memEditor->document()->isUndoAvailable();
    state.hasSelection = m_memEditor->textCursor().hasSelection();
    state.clipboardHasText = m_clipboardHasText;
    state.single = m_positioning == EditorSettings::Single;
    state.writable = !m_memEditor->isReadOnly();
    m_menus->refresh(state);
}

void TfmEditor::clipboardChanged() {
    // Asked once per change: asking the clipboard at every keystroke may wait on the program
    // that owns it.
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    m_clipboardHasText = clipboard && clipboard->hasText();
    UpdateEditorState();
}

void TfmEditor::ShowAutoSaveStatus() {
    m_status->setText(u' ' +
                      Messages::text(m_autoSave ? Messages::AUTOSAVE_ON : Messages::AUTOSAVE_OFF));
}

bool TfmEditor::SaveText() {
    bool notWritten = false;
    const bool saved = WriteText(notWritten);
    if (notWritten)
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
    return saved;
}

bool TfmEditor::WriteText(bool& notWritten) {
    notWritten = false;
    if (m_onDisk && m_onDisk->changedSince(textFilePath(), SheetText::kMaxBytes)) {
        bool taken = false;
        if (!settleChangedFile(taken))
            return false;
        if (taken)
            return true;
    }
    FileStamp written;
    const bool saved = SheetText::write(textFilePath(), m_memEditor->text(), written);
    if (saved) {
        m_onDisk = written;
        watchFile();
        m_memEditor->document()->setModified(false);
    } else {
        notWritten = true;
    }
    UpdateEditorState();
    return saved;
}

void TfmEditor::tmrAutoSaveTimer() {
    if (!isModified() || m_settling)
        return;
    // A save that failed has said so; the status line does not claim otherwise.
    if (SaveText())
        m_status->setText(u' ' + Messages::text(Messages::AUTO_SAVED_AT) + u' ' +
                          QLocale().toString(QTime::currentTime(), QLocale::LongFormat));
}

void TfmEditor::SetAutoSave(bool on) {
    m_autoSave = on;
    restartTimer();
    ShowAutoSaveStatus();
}

void TfmEditor::SetAutoSaveInterval(int minutes) {
    m_autoSaveInterval = minutes;
    restartTimer();
    ShowAutoSaveStatus();
}

void TfmEditor::optionsChanged() {
    // The window keeps its stay-on-top style, which only windows opened later take.
    const EditorSettings& settings = m_options.settings();
    ApplyLanguageToEditor();
    if (m_findReplace)
        m_findReplace->ApplyLanguageToFindReplace();
    SetAutoSave(settings.autoSave);
    SetAutoSaveInterval(settings.autoSaveInterval);
    setMemoFont(settings.fontName, settings.fontSize);
    UpdateEditorState();
}

void TfmEditor::ApplyLanguageToEditor() {
    // The caption is the window's own, made from its sheet's name by UpdateEditorState.
    FormCaptions::apply(this);
}

QString TfmEditor::languageName() const {
    return Language::nameOf(m_options.settings().language);
}

void TfmEditor::ImportText(const QString& path) {
    if (m_sheetName.isEmpty() || m_memEditor->isReadOnly())
        return;
    const QFileInfo info(path);
    QString fileName = info.fileName();
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString extension =
        dot < 0 ? QString() : AsciiCase::lower(QStringView(fileName).mid(dot));
    if (extension.isEmpty()) {
        fileName += QStringLiteral(".txt");
    } else if (extension != QStringLiteral(".txt")) {
        MessageBoxes::information(Messages::text(Messages::NOT_TEXT_FILE));
        return;
    }
    if (!m_memEditor->document()->isEmpty() &&
        MessageBoxes::confirm(Messages::text(Messages::OVERWRITTEN),
                              MessageBoxes::Buttons::OkCancel) != MessageBoxes::Answer::Ok)
        return;
    const QString file = info.dir().filePath(fileName);
    if (!QFileInfo(file).isFile()) {
        MessageBoxes::information(u'\'' + fileName + QStringLiteral("' ") +
                                  Messages::text(Messages::DOES_NOT_EXIST));
        return;
    }
    const std::optional<QString> text = SheetText::import(file);
    if (!text) {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_OPEN_FILE));
        return;
    }
    // One step the user can undo; the text is marked changed and not saved.
    QTextCursor cursor(m_memEditor->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(*text);
    m_memEditor->moveCursor(QTextCursor::Start);
    m_memEditor->document()->setModified(true);
    UpdateEditorState();
}

void TfmEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (!MemoEdit::localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfmEditor::dropEvent(QDropEvent* event) {
    const QStringList paths = MemoEdit::localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    WMDropFiles(paths);
}

void TfmEditor::WMDropFiles(const QStringList& paths) {
    raise();
    activateWindow();
    if (paths.size() > 1) {
        MessageBoxes::information(Messages::text(Messages::ONLY_ONE_FILE));
        return;
    }
    if (!paths.isEmpty())
        ImportText(paths.front());
}

EditorSpeller& TfmEditor::speller() {
    if (!m_speller)
        m_speller = std::make_unique<EditorSpeller>(this);
    return *m_speller;
}

void TfmEditor::startLiveSpelling() {
    EditorSpeller& checker = speller();
    checker.setLanguage(languageName());
    checker.startLiveSpelling(m_memEditor);
    connect(checker.live(), &LiveSpeller::spellCheckRequested, this, &TfmEditor::mnuSpellCheckClick,
            Qt::UniqueConnection);
}

void TfmEditor::showPopup(const QPoint& at) {
    QMenu* popup = m_menus->menu(QStringLiteral("pmnuEditor"));
    LiveSpeller* live = m_speller ? m_speller->live() : nullptr;
    if (live) {
        // The memo's own commands under the unknown word's, in a menu of the moment.
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("pmnuSpelling"));
        menu->addActions(popup->actions());
        m_speller->setLanguage(languageName());
        if (live->addMenuCommands(menu, at)) {
            connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
            UpdateEditorState();
            menu->popup(m_memEditor->viewport()->mapToGlobal(at));
            return;
        }
        delete menu;
    }
    popup->popup(m_memEditor->mapToGlobal(at));
}

qint64 TfmEditor::CountWords() const {
    const WaitCursor wait;
    return WordCount::CountWords(m_memEditor->text());
}

WindowPlacement TfmEditor::currentPlacement() const {
    WindowPlacement placement = m_placement;
    placement.maximised = isMaximized();
    // A maximised window keeps the bounds it had before, to come back to.
    if (!placement.maximised)
        placement.bounds = QRect(pos(), size());
    return placement;
}

void TfmEditor::SaveWindowPlacement() {
    if (m_positioning != EditorSettings::RememberAll || m_firstShow)
        return;
    m_placement = currentPlacement();
    IniFile file(sheetFilePath());
    m_placement.write(file);
    if (!file.save())
        MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_KERFA));
}

void TfmEditor::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    if (m_checking && testAttribute(Qt::WA_DeleteOnClose)) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        m_freeAfterCheck = true;
    }
}

bool TfmEditor::FormCloseQuery() {
    if (!isModified())
        return true;
    switch (MessageBoxes::confirm(Messages::text(Messages::SAVE_TEXT_CHANGES),
                                  MessageBoxes::Buttons::YesNoCancel)) {
    case MessageBoxes::Answer::Yes:
        // A text that could not be written keeps its window open.
        return SaveText();
    case MessageBoxes::Answer::No:
        return true;
    default:
        return false;
    }
}

void TfmEditor::FormClose() {
    if (m_findReplace)
        m_findReplace->hide();
    if (m_speller)
        m_speller->endCheck();
    m_tmrAutoSave->stop();
    SaveWindowPlacement();
    Q_EMIT closed();
}

void TfmEditor::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        FormDeactivate();
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_tmrDiskCheck->start();
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // Once the window system has finished minimising it.
        QTimer::singleShot(0, this, [this] {
            if (!isMinimized())
                return;
            SaveWindowPlacement();
            hide();
        });
    }
}

void TfmEditor::FormDeactivate() {
    if (m_findReplace && m_findReplace->isVisible() &&
        QApplication::activeWindow() != m_findReplace && !TfmFindReplace::messageBoxUp())
        m_findReplace->hide();
    // A running check ends unless the focus went to its dialog.
    if (m_speller)
        m_speller->windowDeactivated();
}

void TfmEditor::menuClicked() {
    UpdateEditorState();
}

void TfmEditor::mnuImportTextClick() {
    const QString path = FileDialogs::current().openFile(
        this, Captions::text(u"fmEditor", u"dlgImportText"),
        Messages::text(Messages::TEXT_FILES) + QStringLiteral(" (*.txt)"),
        ProgramFolder::sub(QStringLiteral("Templates")));
    if (!path.isEmpty())
        ImportText(path);
}

void TfmEditor::mnuSaveClick() {
    SaveText();
}

void TfmEditor::mnuPrintClick() {
    m_print.run(this, m_memEditor->text(), m_memEditor->font(), m_sheetName);
}

void TfmEditor::mnuExploreTemplatesClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Templates")));
}

void TfmEditor::mnuExploreDictionariesClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Spelling")));
}

void TfmEditor::mnuExploreThesaurusClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Thesaurus")));
}

void TfmEditor::mnuCloseClick() {
    close();
}

void TfmEditor::mnuUndoClick() {
    m_memEditor->undo();
}

void TfmEditor::mnuCutClick() {
    m_memEditor->cut();
}

void TfmEditor::mnuCopyClick() {
    m_memEditor->copy();
}

void TfmEditor::mnuPasteClick() {
    m_memEditor->paste();
}

void TfmEditor::mnuSelectAllClick() {
    m_memEditor->selectAll();
}

void TfmEditor::mnuFindReplaceClick() {
    if (!m_findReplace)
        m_findReplace = new TfmFindReplace(this, m_memEditor);
    QLineEdit* find = m_findReplace->findBox();
    const QString selected = m_memEditor->textCursor().selectedText();
    // A selection longer than the find box holds would be cut short there, and then no longer
    // be what was selected: the boxes stay as they were.
    if (selected.size() <= find->maxLength()) {
        if (!selected.isEmpty())
            find->setText(selected);
        if (find->text() == selected)
            m_findReplace->replaceBox()->clear();
    }
    m_findReplace->show();
    m_findReplace->raise();
    m_findReplace->activateWindow();
    UpdateEditorState();
}

void TfmEditor::mnuRepeatFindClick() {
    if (m_findReplace && !m_findReplace->findBox()->text().isEmpty())
        m_findReplace->Find(m_findReplace->findBox()->text(), true);
    else
        mnuFindReplaceClick();
}

void TfmEditor::mnuSpellCheckClick() {
    EditorSpeller& checker = speller();
    checker.setLanguage(languageName());
    m_checking = true;
    checker.check(m_memEditor);
    m_checking = false;
    if (m_freeAfterCheck) {
        deleteLater();
        return;
    }
    UpdateEditorState();
}

void TfmEditor::mnuSpellingOptionsClick() {
    EditorSpeller& checker = speller();
    checker.setLanguage(languageName());
    checker.showOptionsDialog();
}

void TfmEditor::mnuThesaurusClick() {
    if (!m_thesaurus) {
        m_thesaurus = std::make_unique<TThesaurus>(this);
        // Inflected words are looked up through base forms that the spelling's main dictionary
        // knows, and replacements take the forms it knows; without a main dictionary every
        // form counts.
        m_thesaurus->IsWord = [this](std::string_view word) {
            auto& checker = speller().checker();
            return checker.IsMainDictionaryWord(std::string(word)) ||
                   checker.MainDictionaries().empty();
        };
    }
    m_thesaurus->SetUILanguage(ThesaurusTexts::languageFor(languageName()));
    m_thesaurus->LookupControl(m_memEditor);
    UpdateEditorState();
}

void TfmEditor::mnuWordCountClick() {
    const QString count = WordCount::formatted(CountWords());
    MessageBoxes::information(Messages::text(Messages::WORD_COUNT) + u' ' + count);
    m_status->setText(u' ' + Messages::text(Messages::LAST_WORD_COUNT) + u' ' + count);
}

void TfmEditor::mnuSaveWindowPosClick() {
    if (m_positioning != EditorSettings::Single ||
        MessageBoxes::confirm(Messages::text(Messages::SAVE_WINDOW_POS),
                              MessageBoxes::Buttons::OkCancel) != MessageBoxes::Answer::Ok)
        return;
    m_placement = currentPlacement();
    IniFile file(m_options.settings().settingsFile);
    m_placement.write(file);
    if (!file.save())
        MessageBoxes::warning(u'\'' + file.path() + QStringLiteral("' ") +
                              Messages::text(Messages::CANNOT_SAVE_FILE));
}

void TfmEditor::firstChange(bool modified) {
    // The first change since the text was loaded or saved: the file still holds the text as it
    // was before it, which becomes the day's first snapshot. Asked once a day per window.
    const QDate today = QDate::currentDate();
    if (!modified || m_loading || m_sheetName.isEmpty() || m_dailySnapshot == today)
        return;
    m_dailySnapshot = today;
    const SnapshotStore store(m_projectFolder);
    if (store.takeDaily(m_sheetName) == SnapshotStore::Daily::Failed)
        MessageBoxes::warning(u'\'' + store.folderOf(m_sheetName) + QStringLiteral("' ") +
                              Messages::text(Messages::CANNOT_SAVE_FILE));
}

void TfmEditor::mnuTakeSnapshotClick() {
    const LiveSheetText text(m_projectFolder, m_sheetName, this);
    const LiveSheetText::Taken taken = text.snapshot();
    if (taken == LiveSheetText::Taken::Failed)
        MessageBoxes::warning(text.said(taken));
    else
        m_status->setText(u' ' + text.said(taken));
}

void TfmEditor::mnuSnapshotsClick() {
    auto* window = new TfmSnapshots(LiveSheetText(m_projectFolder, m_sheetName, this), this);
    window->show();
}

void TfmEditor::mnuHelpClick() {
    Q_EMIT helpRequested();
}
