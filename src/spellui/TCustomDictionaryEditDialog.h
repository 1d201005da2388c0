#pragma once

#include "spelling/TCustomDictionary.h"

#include <QCollator>
#include <QDialog>

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kerfa::spelling {
class TSpellCheckerBase;
}

// The words of one custom dictionary on three pages: the added words, the auto-correct pairs
// and the excluded words, each sorted, with an edit to add an entry and Delete for the
// selected ones. Typing a word that the page already holds selects it; Add takes only a word
// the dictionary holds as no kind at all. Changes go into the dictionary at once; whoever
// opened it writes it.
class TCustomDictionaryEditDialog : public QDialog {
    Q_OBJECT
public:
    TCustomDictionaryEditDialog(const kerfa::spelling::TSpellCheckerBase& checker,
                                kerfa::spelling::TCustomDictionary& dictionary,
                                const QString& title, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Kind = kerfa::spelling::TCustomDictionary::Kind;
    struct Page {
        Kind kind = Kind::Added;
        int tab = -1;
        QLabel* explanation = nullptr;
        QLabel* lblWord = nullptr;
        QLineEdit* edtWord = nullptr;
        QLabel* lblWith = nullptr; // the pairs' replacement
        QLineEdit* edtWith = nullptr;
        QTreeWidget* list = nullptr;
        QPushButton* btnAdd = nullptr;
        QPushButton* btnDelete = nullptr;
    };
    struct PageTexts;
    QWidget* makePage(Page& page, const PageTexts& texts);
    void fill(Page& page);
    QTreeWidgetItem* makeItem(const Page& page, const std::string& word,
                              const std::string& replacement) const;
    // Selects the entry the edit names, and enables Add for a word the dictionary lacks.
    void evaluate(Page& page);
    void add(Page& page);
    void remove(Page& page);
    bool heldAsAnyKind(const std::string& word);
    Page* pageOf(const QObject* widget);

    const kerfa::spelling::TSpellCheckerBase& m_checker;
    kerfa::spelling::TCustomDictionary& m_dictionary;
    QCollator m_collator;

    QTabWidget* m_pgctrlDictionary;
    std::array<Page, 3> m_pages; // added words, pairs, excluded words
    QTimer* m_tmrReplace;
    QPushButton* m_btnHelp;
    QPushButton* m_btnOK;
};
