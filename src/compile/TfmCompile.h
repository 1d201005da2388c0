#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>

class CompileCommands;
class TfmExport;
class QCheckBox;
class QGroupBox;
class QListView;
class QMenu;
class QPushButton;

// The compilation window: the compilation list, in the order the writer arranges it (drag an
// entry onto another, or Ctrl or Shift with Up and Down), what to include of each sheet, and
// Create, or Export into a format other programs read. A tool window of fixed width that stays on
// top, made once and hidden by Close; the list lives on without it. It keeps its place in
// Kerfa.ini.
class TfmCompile : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 280;
    static constexpr int kMinHeight = 250;

    explicit TfmCompile(QWidget* parent = nullptr);
    // Writes the window's place when it was ever shown.
    ~TfmCompile() override;

    // The commands the window works through; it shows their compilation list.
    void setCommands(CompileCommands* commands);
    // Where the window's place is kept ([Compilation] of Kerfa.ini).
    void setSettingsFile(const QString& path) { m_settingsFile = path; }

    // Tools > Compile: shows the window (over the others) with its commands' states; modeless,
    // unlike the dialog's own open().
    void open() override;

    QListView* list() const { return m_lbCompile; }

Q_SIGNALS:
    // Edit: the sheet of that name, the first on the desk, is to open in its editor.
    void editRequested(const QString& sheetName);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void cbDescriptionsClick();
    void cbContentClick();
    void lbCompileDblClick();
    void pmnuDeleteClick();
    void pmnuClearAllClick();
    void pmnuCompilePopup(QPoint at);
    void btnCreateClick();
    void btnExportClick();
    void btnCloseClick();

private:
    void FormShow();
    void FormDestroy();
    void lbCompileMouseDown(QPoint at, Qt::MouseButton button);
    bool lbCompileMouseMove(QPoint at, Qt::MouseButtons buttons);
    void lbCompileDragOver(QDragMoveEvent* event);
    void lbCompileDragDrop(QDropEvent* event);
    bool lbCompileKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Edit, Delete, Clear All and Create, enabled by the list and its selection.
    void refreshStates();
    int selectedRow() const;
    int rowAt(QPoint at) const;

    QPointer<CompileCommands> m_commands;
    QString m_settingsFile;
    bool m_firstShow = true;
    // Where the last press in the list was: the entry a drag moves, and the one Edit opens.
    QPoint m_mouseDown;
    // The left button went down on an entry and has not yet dragged it.
    bool m_pressed = false;

    QListView* m_lbCompile;
    QGroupBox* m_gbInclude;
    QCheckBox* m_cbDescriptions;
    QCheckBox* m_cbContent;
    QPushButton* m_btnCreate;
    QPushButton* m_btnExport;
    QPushButton* m_btnClose;
    TfmExport* m_fmExport;
    QMenu* m_pmnuCompile;
    QAction* m_pmnuEdit;
    QAction* m_pmnuDelete;
    QAction* m_pmnuClearAll;
};
