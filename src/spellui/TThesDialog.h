#pragma once
// TThesDialog: the thesaurus dialog. It shows the history of looked-up words, the contexts
// (meanings) of the current word and the words of the chosen context, and ends with the word
// to put in place of the looked-up one. An inflected word ("walked") shows the meanings of its
// base form, named beneath it. What it shows comes from a ThesaurusSession.

#include "spelling/TThesaurusBase.h"
#include "spelling/ThesaurusSession.h"

#include <QDialog>
#include <QString>

#include <string>
#include <string_view>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;
class QTreeWidget;

class TThesDialog : public QDialog {
    Q_OBJECT
public:
    TThesDialog(const kerfa::spelling::TThesaurusBase& thesaurus, QWidget* parent = nullptr);

    // Every caption, in the thesaurus's dialog language.
    void setCaptions();
    // Looks a word up and shows it.
    void LookUp(std::string_view word);
    // The word chosen with Replace (or a double-click that replaces), in the code page.
    const std::string& Replacement() const { return replacement_; }

private:
    void ShowLookup();
    void ShowBaseForm();
    void ShowWords(int context);
    void SelectLookedUpWord();
    void UpdateButtons();
    void Replace(const std::string& word);

    void cmbLookedUpActivated(int index);
    void lstContextsCurrentChanged();
    void lstWordsCurrentRowChanged(int row);
    void lstWordsDoubleClicked(QListWidgetItem* item);
    void edtReplaceWithChanged();
    void btnLookupClick();
    void btnPreviousClick();
    void btnReplaceClick();

    const kerfa::spelling::TThesaurusBase& thesaurus_;
    kerfa::spelling::ThesaurusSession session_;
    std::string replacement_;
    int lookedUpRow_ = -1;

    QLabel* m_lblLookedUp;
    QComboBox* m_cmbLookedUp;
    QLabel* m_lblBaseForm;
    QLabel* m_lblContexts;
    QTreeWidget* m_lstContexts;
    QLabel* m_lblReplaceWith;
    QLineEdit* m_edtReplaceWith;
    QListWidget* m_lstWords;
    QPushButton* m_btnPrevious;
    QPushButton* m_btnLookup;
    QPushButton* m_btnReplace;
    QPushButton* m_btnClose;
    QTimer* m_tmrSelectWord;
};
