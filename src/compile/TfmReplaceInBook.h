#pragma once

#include <QDialog>
#include <QPointer>

class BookReplace;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// Replace In Book: one find and replace over every sheet's text. Find lists every occurrence
// (sheet, line, the text around it), each ticked; Replace changes those still ticked. A window
// made on first use and kept, whose texts and choices stay for the next time.
class TfmReplaceInBook : public QDialog {
    Q_OBJECT
public:
    explicit TfmReplaceInBook(QWidget* parent = nullptr);

    // The commands whose hits the window lists; their hits cleared, the list and its status go.
    void setCommands(BookReplace* commands);

Q_SIGNALS:
    // A sheet's occurrence was double-clicked: its editor is to show.
    void editRequested(const QString& sheetName);

protected:
    void showEvent(QShowEvent* event) override;

private Q_SLOTS:
    void btnFindClick();
    void btnReplaceClick();
    void btnCloseClick();

private:
    void FormShow();
    void showHits();
    void applyCaptions();

    QPointer<BookReplace> m_commands;
    bool m_firstShow = true;
    QLineEdit* m_edtFind;
    QLineEdit* m_edtReplace;
    QCheckBox* m_cbMatchCase;
    QCheckBox* m_cbWholeWords;
    QTreeWidget* m_lstMatches;
    QLabel* m_lblStatus;
    QPushButton* m_btnFind;
    QPushButton* m_btnReplace;
    QPushButton* m_btnClose;
};
