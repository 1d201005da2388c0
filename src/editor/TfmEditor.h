#pragma once

#include "common/FileStamp.h"
#include "editor/WindowPlacement.h"
#include "printing/PrintCommand.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

class EditorMenus;
class EditorOptions;
class EditorSpeller;
class MemoEdit;
class QFileSystemWatcher;
class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QTimer;
class TfmFindReplace;
class TThesaurus;

// A sheet's editor window: its text in a memo, saved on request, on a timer and when closed;
// plain-text files imported into it; found and replaced, counted and printed; placed by the
// window-positioning mode; checked for spelling and looked up in the thesaurus in the language of
// the interface. The window is freed when it closes; minimised, it hides and stays the sheet's
// open editor.
class TfmEditor : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmEditor(const EditorOptions& options, QWidget* parent = nullptr);
    ~TfmEditor() override;

    // The sheet edited. A sheet renamed while its editor is open gives the window its new name.
    void setSheet(const QString& projectFolder, const QString& sheetName);
    const QString& sheetName() const { return m_sheetName; }
    // With a trailing '/'.
    const QString& projectFolder() const { return m_projectFolder; }
    // "Text Files/<sheet name>.txt" and "Kerfa Files/<sheet name>.kfa" in the project folder.
    QString textFilePath() const;
    QString sheetFilePath() const;

    // Set by the opener before every show.
    void setPositioningMode(int mode) { m_positioning = mode; }
    void setMemoFont(const QString& family, int pointSize);

    QPlainTextEdit* memo() const;
    // The captions of the language in force on the menus and the import dialog; done when the
    // window is made and whenever a language file is read.
    void ApplyLanguageToEditor();
    // The interface language's name ("german"), which the thesaurus dialog speaks.
    QString languageName() const;
    TfmFindReplace* findReplace() const;
    QString statusText() const;
    // The progress toward the sheet's word targets, at the right of the status bar, beside the
    // status text; empty hides it.
    void setTargetStatus(const QString& text);
    QString targetStatus() const;
    bool isModified() const;

    // Writes the memo to the text file. A failure is reported (CANNOT_WRITE_FILE) and the text
    // stays marked changed; false then.
    // Before it writes, a file another program changed since this window read or saved it is
    // settled with the writer (see settleChangedFile).
    bool SaveText();
    // The same without reporting a failure to write (notWritten tells it), for commands that
    // save several texts and report the ones not written in one box.
    bool WriteText(bool& notWritten);
    // The save question of a window holding unsaved text, asked when it closes and before its
    // sheet is deleted. False when the writer cancels, or the text could not be saved.
    bool FormCloseQuery();
    // Replaces the memo's text with a plain-text file's (".txt" is added to a name without
    // extension; other extensions are refused), after asking when the memo holds text. The
    // text is not saved.
    void ImportText(const QString& path);
    void SetAutoSave(bool on);
    void SetAutoSaveInterval(int minutes);
    // The caption and the enabled commands, from the memo's state.
    void UpdateEditorState();
    // The memo's words, by the text's own lines.
    qint64 CountWords() const;
    // The window's spelling checker (made on first use).
    EditorSpeller& speller();

public Q_SLOTS:
    // Also the desk's Print command for a sheet whose editor is open.
    void mnuPrintClick();

Q_SIGNALS:
    void helpRequested();
    // The window closed (it goes once control returns to the event loop).
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private Q_SLOTS:
    void mnuImportTextClick();
    void mnuSaveClick();
    void mnuExploreTemplatesClick();
    void mnuExploreDictionariesClick();
    void mnuExploreThesaurusClick();
    void mnuCloseClick();
    void mnuUndoClick();
    void mnuCutClick();
    void mnuCopyClick();
    void mnuPasteClick();
    void mnuSelectAllClick();
    void mnuFindReplaceClick();
    void mnuRepeatFindClick();
    void mnuSpellCheckClick();
    void mnuSpellingOptionsClick();
    void mnuThesaurusClick();
    void mnuWordCountClick();
    void mnuSaveWindowPosClick();
    void mnuTakeSnapshotClick();
    void mnuSnapshotsClick();
    void mnuHelpClick();
    void menuClicked();
    void tmrAutoSaveTimer();

private:
    // The menu table connects the menus to the handlers above.
    friend class EditorMenus;

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDeactivate();
    void LoadEditorSettings();
    void ShowAutoSaveStatus();
    void SaveWindowPlacement();
    void WMDropFiles(const QStringList& paths);
    void optionsChanged();
    void clipboardChanged();
    void loadText();
    void startLiveSpelling();
    // Another program changed the text file: a window holding no unsaved text reads it again and
    // says so; one holding unsaved text asks at its next save.
    void checkFileOnDisk();
    void reloadText();
    void watchFile();
    // The writer keeps this window's text (the file's first kept as a snapshot) or takes the
    // file's (this window's first kept as a snapshot). False when the writer cancels or a
    // snapshot could not be kept; taken is set when the file's text is now in the window.
    bool settleChangedFile(bool& taken);
    // The memo's popup; over an underlined word it begins with that word's suggestions.
    void showPopup(const QPoint& at);
    void restartTimer();
    void firstChange(bool modified);
    WindowPlacement currentPlacement() const;

    const EditorOptions& m_options;
    QString m_projectFolder;
    QString m_sheetName;
    int m_positioning;
    bool m_firstShow = true;
    bool m_textLoaded = false;
    bool m_loading = false;
    bool m_clipboardHasText = false;
    bool m_autoSave = false;
    int m_autoSaveInterval = 15;
    // A spelling check waits for the user in a loop whose caller is this window's F7: a window
    // closed meanwhile is freed only once that check has returned.
    bool m_checking = false;
    bool m_freeAfterCheck = false;
    // What the text file held when this window last read or wrote it; none while it never did.
    std::optional<FileStamp> m_onDisk;
    QFileSystemWatcher* m_watcher;
    QTimer* m_tmrDiskCheck;
    // The question about a changed file is open: timers and watchers wait for its answer.
    bool m_settling = false;
    WindowPlacement m_placement;
    // The day whose first snapshot this window has seen to.
    QDate m_dailySnapshot;

    MemoEdit* m_memEditor;
    QStatusBar* m_sbStatus;
    QLabel* m_status;
    QLabel* m_lblTarget;
    QTimer* m_tmrAutoSave;
    std::unique_ptr<EditorMenus> m_menus;
    QPointer<TfmFindReplace> m_findReplace;
    std::unique_ptr<EditorSpeller> m_speller;
    std::unique_ptr<TThesaurus> m_thesaurus;
    PrintCommand m_print;
};
