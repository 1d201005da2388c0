#pragma once

#include "project/RecoveryStore.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The unsaved text that runs of Kerfa which ended without saving it left as recovery copies.
// Each copy is listed with its sheet and the time it was last kept (under its book, when the
// list holds several books' copies); the one chosen is shown
// against its sheet's saved file (the snapshots window's word comparison) or, when it cannot be
// put back (damaged, its sheet gone, another book's), as plain text. Restore puts the text into
// the sheet's editor, Copy Text puts it on the clipboard, Discard throws the copy away after a
// question; a copy decided on leaves the list, and the window closes with the last. Close leaves
// the rest for the next time the book is opened. The window goes when closed.
class TfmRecovery : public QDialog {
    Q_OBJECT
public:
    struct Entry {
        RecoveryStore::Copy copy;
        RecoveryStore::Offer offer = RecoveryStore::Offer::OtherBook;
        // The sheet's text as saved, to compare with; none shows the copy as plain text.
        std::optional<QString> saved;
    };
    // What the window's buttons do. restore is false, after its own message, when the text
    // could not be put back; the copy then stays.
    struct Actions {
        std::function<bool(const Entry&)> restore;
        std::function<void(const Entry&)> discard;
    };

    // withBooks: the list names each copy's book (Help > Recover Unsaved Text...).
    TfmRecovery(QList<Entry> entries, Actions actions, bool withBooks, QWidget* parent = nullptr);

    const QList<Entry>& entries() const { return m_entries; }
    // The copy chosen in the list, if any.
    const Entry* chosen() const;
    // Chooses the entry of that copy file.
    void choose(const QString& copyPath);

protected:
    void showEvent(QShowEvent* event) override;

private Q_SLOTS:
    void lstCopiesChange();
    void btnRestoreClick();
    void btnCopyClick();
    void btnDiscardClick();
    void btnCloseClick();

private:
    void applyCaptions();
    void fillList();
    // The rows that are copies (with books, the books' rows hold them), in list order.
    QList<QTreeWidgetItem*> copyItems() const;
    // The entry leaves the list; the window closes with the last.
    void decided(QString copyPath);

    QList<Entry> m_entries;
    Actions m_actions;
    bool m_withBooks;
    bool m_firstShow = true;
    QLabel* m_lblIntro;
    QTreeWidget* m_lstCopies;
    QTextEdit* m_memCompare;
    QLabel* m_lblLegend;
    QPushButton* m_btnRestore;
    QPushButton* m_btnCopy;
    QPushButton* m_btnDiscard;
    QPushButton* m_btnClose;
};
