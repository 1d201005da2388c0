#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kerfa::spelling {
class TSpellChecker;
}

// The spelling dialog: the word the check stopped on, a replacement with ranked suggestions,
// and the buttons that answer it. It stays open, not modal, between the words of one check;
// every button calls the checker, which moves on to the next word and shows it here again.
class TSpellDialog : public QDialog {
    Q_OBJECT
public:
    TSpellDialog(kerfa::spelling::TSpellChecker& checker, QWidget* parent);

    // Shows the word the checker is prompting: the word, the suggestions, the enabled buttons.
    void showWord();

Q_SIGNALS:
    // The dialog became, or stopped being, the active window.
    void activated();
    void deactivated();
    // Add put the word shown into the active custom dictionary.
    void wordAdded(const QString& word);

protected:
    void changeEvent(QEvent* event) override;
    void reject() override;

private:
    void setCaptions();
    void setCommand(QPushButton* button, int command, bool enabledHere);
    std::string replacement() const;
    void updateChangeCommands();
    // The suggestion clicked or made current (by mouse or keys) fills the replacement box.
    void suggestionChosen(QListWidgetItem* item);
    void suggestionDoubleClicked(QListWidgetItem* item);

    kerfa::spelling::TSpellChecker& m_checker;
    bool m_repeated = false;
    bool m_hasActive = false;
    QLabel* m_lblNotFound;
    QLineEdit* m_edtNotFound;
    QLabel* m_lblReplaceWith;
    QLineEdit* m_edtReplaceWith;
    QLabel* m_lblSuggestions;
    QListWidget* m_lstSuggestions;
    QPushButton* m_btnUndo;
    QPushButton* m_btnOptions;
    QPushButton* m_btnIgnoreAll;
    QPushButton* m_btnIgnore;
    QPushButton* m_btnChangeAll;
    QPushButton* m_btnChange;
    QPushButton* m_btnAdd;
    QPushButton* m_btnAutoCorrect;
    QPushButton* m_btnHelp;
    QPushButton* m_btnCancel;
};
