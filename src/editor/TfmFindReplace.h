#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// An editor window's own find-and-replace window: searches its memo forward from the
// selection, replaces the occurrence found, or every one after it. Closing only hides it; it
// goes with its editor.
class TfmFindReplace : public QDialog {
    Q_OBJECT
public:
    TfmFindReplace(QWidget* editor, QPlainTextEdit* memo);

    QLineEdit* findBox() const { return m_edtFind; }
    QLineEdit* replaceBox() const { return m_edtReplace; }

    // Looks for the find box's text after the memo's selection and selects it; text is what the
    // not-found message names. Interactive: the caret is scrolled into view, a failure is
    // reported and the focus comes back here. Never wraps round to the start.
    bool Find(const QString& text, bool interactive);
    // Replaces the selection when it is the find box's text, then finds the next.
    void Replace();
    // After asking, replaces every occurrence from the next one found to the end of the text.
    void ReplaceAll();
    // The caption and the captions of the buttons and boxes of the language in force; done when
    // the window is made and whenever a language file is read.
    void ApplyLanguageToFindReplace();
    // Whether a message box takes, or has just given back, the activation: the window stays.
    static bool messageBoxUp();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void btnFindClick();
    void btnReplaceClick();
    void btnReplaceAllClick();
    void btnCloseClick();

private:
    void FormShow();
    void FormDeactivate();
    // Raised and focused again, when shown, after a search or a message box.
    void comeBack();
    void startFromTopIfAsked(bool scroll);
    bool matchCase() const;

    QWidget* m_editor;
    QPlainTextEdit* m_memo;
    QLineEdit* m_edtFind;
    QLineEdit* m_edtReplace;
    QCheckBox* m_cbMatchCase;
    QCheckBox* m_cbFromTop;
    QPushButton* m_btnFind;
    QPushButton* m_btnReplace;
    QPushButton* m_btnReplaceAll;
    QPushButton* m_btnClose;
};
