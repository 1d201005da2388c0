#pragma once

#include <QDialog>
#include <QPointer>

class CompileCommands;
class QCheckBox;
class QLineEdit;
class QPushButton;

// Find & Compile: every sheet whose text holds the find text joins the compilation list. A small
// window that stays on top, made once; Close only hides it, and its texts and choices stay for
// the next time.
class TfmFindAndCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindAndCompile(QWidget* parent = nullptr);

    void setCommands(CompileCommands* commands) { m_commands = commands; }
    QLineEdit* findBox() const { return m_edtFind; }

Q_SIGNALS:
    // A search matched a sheet: the compilation window is to show, unless it does already.
    void matched();

protected:
    void showEvent(QShowEvent* event) override;

private Q_SLOTS:
    void btnFindClick();
    void btnCloseClick();

private:
    void FormShow();

    QPointer<CompileCommands> m_commands;
    bool m_firstShow = true;
    QLineEdit* m_edtFind;
    QCheckBox* m_cbMatchCase;
    QCheckBox* m_cbClearCompiler;
    QPushButton* m_btnFind;
    QPushButton* m_btnClose;
};
