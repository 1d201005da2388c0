#pragma once

#include "spelling/DictionaryCatalog.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kerfa::spelling {
class TSpellCheckerBase;
}

// The custom dictionaries dialog: the session's words (Ignore All / Change All), the custom
// dictionaries and the personal word lists of other spelling checkers, each checked when in
// use (the session's always). New makes a dictionary, Edit opens one's words, Delete deletes
// one; a custom dictionary's name can be edited in place, which renames its file.
class TCustomDictionariesDialog : public QDialog {
    Q_OBJECT
public:
    TCustomDictionariesDialog(kerfa::spelling::TSpellCheckerBase& checker,
                              QWidget* parent = nullptr);

private:
    enum class Kind { Session, Custom, WordList };

    void setCaptions();
    // Fills the list; `select` names the entry to select (else the first).
    void fill(const QString& select = {});
    void updateButtons();
    QTreeWidgetItem* current() const;
    bool canEdit(const QTreeWidgetItem* item) const;
    void lvItemChanged(QTreeWidgetItem* item, int column);
    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();

    kerfa::spelling::TSpellCheckerBase& m_checker;
    kerfa::spelling::DictionaryCatalog m_catalog;

    QGroupBox* m_gbCustomDictionaries;
    QTreeWidget* m_lvCustomDictionaries;
    QPushButton* m_btnNew;
    QPushButton* m_btnEdit;
    QPushButton* m_btnDelete;
    QPushButton* m_btnHelp;
    QPushButton* m_btnOK;
};
