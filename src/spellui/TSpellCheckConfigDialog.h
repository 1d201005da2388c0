#pragma once

#include "spelling/DictionaryCatalog.h"
#include "spelling/TSpellOptions.h"

#include <QDialog>

#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kerfa::spelling {
class TSpellCheckerBase;
}

// The spelling options dialog: which main dictionaries are on (with their titles), which custom
// dictionary takes new words, the way to the custom dictionaries dialog, and the options. Every
// change goes into the checker's configuration at once; OK closes.
class TSpellCheckConfigDialog : public QDialog {
    Q_OBJECT
public:
    TSpellCheckConfigDialog(kerfa::spelling::TSpellCheckerBase& checker, QWidget* parent = nullptr);

    // Shows the configuration as it now stands.
    void refresh();

private:
    void setCaptions();
    void fillDictionaries();
    void fillCustomDictionaries();
    void showOptions();
    void lvDictionariesItemChanged(QTreeWidgetItem* item, int column);
    void locateDictionaries();
    void cmbCustomDictionaryActivated(int index);
    void btnDictionariesClick();
    void btnResetDefaultsClick();

    kerfa::spelling::TSpellCheckerBase& m_checker;
    kerfa::spelling::DictionaryCatalog m_catalog;

    QGroupBox* m_gbDictionaries;
    QTreeWidget* m_lvDictionaries;
    QLabel* m_lblCustomDictionary;
    QComboBox* m_cmbCustomDictionary;
    QPushButton* m_btnDictionaries;
    QGroupBox* m_gbOptions;
    std::vector<std::pair<kerfa::spelling::TSpellOption, QCheckBox*>> m_options;
    QPushButton* m_btnResetDefaults;
    QPushButton* m_btnHelp;
    QPushButton* m_btnOK;
};
