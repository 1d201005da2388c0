#include "spellui/TCustomDictionariesDialog.h"

#include "spellui/DialogButton.h"

#include "platform/MessageBoxes.h"
#include "spelling/TCustomDictionary.h"
#include "spelling/TSpellCheckerBase.h"
#include "spellui/SpellTexts.h"
#include "spellui/TCustomDictionaryEditDialog.h"
#include "spellui/TNewCustomDictionary.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kerfa::spelling;

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1; // the configured name, or the word list's path

} // namespace

TCustomDictionariesDialog::TCustomDictionariesDialog(TSpellCheckerBase& checker, QWidget* parent)
    : QDialog(parent), m_checker(checker), m_catalog(checker) {
    setObjectName(QStringLiteral("TCustomDictionariesDialog"));

    m_gbCustomDictionaries = new QGroupBox(this);
    m_gbCustomDictionaries->setObjectName(QStringLiteral("gbCustomDictionaries"));
    m_lvCustomDictionaries = new QTreeWidget(m_gbCustomDictionaries);
    m_lvCustomDictionaries->setObjectName(QStringLiteral("lvCustomDictionaries"));
    m_lvCustomDictionaries->setColumnCount(1);
    m_lvCustomDictionaries->setRootIsDecorated(false);
    m_lvCustomDictionaries->setUniformRowHeights(true);
    m_lvCustomDictionaries->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                            QAbstractItemView::SelectedClicked);

    m_btnNew = dialogButton(m_gbCustomDictionaries, "btnNew");
    m_btnEdit = dialogButton(m_gbCustomDictionaries, "btnEdit");
    m_btnDelete = dialogButton(m_gbCustomDictionaries, "btnDelete");
    m_btnHelp = dialogButton(this, "btnHelp");
    m_btnOK = dialogButton(this, "btnOK");
    m_btnOK->setDefault(true);
    m_btnHelp->setVisible(checker.CommandVisible(sdcHelp));
    m_btnHelp->setEnabled(checker.CommandEnabled(sdcHelp));

    auto* side = new QVBoxLayout;
    side->addWidget(m_btnNew);
    side->addWidget(m_btnEdit);
    side->addWidget(m_btnDelete);
    side->addStretch(1);
    auto* list = new QHBoxLayout(m_gbCustomDictionaries);
    list->addWidget(m_lvCustomDictionaries, 1);
    list->addLayout(side);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnHelp);
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_gbCustomDictionaries, 1);
    layout->addLayout(buttons);

    connect(m_lvCustomDictionaries, &QTreeWidget::itemChanged, this,
            &TCustomDictionariesDialog::lvItemChanged);
    connect(m_lvCustomDictionaries, &QTreeWidget::currentItemChanged, this,
            &TCustomDictionariesDialog::updateButtons);
    connect(m_lvCustomDictionaries, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) {
                if (canEdit(item))
                    btnEditClick();
            });
    connect(m_btnNew, &QPushButton::clicked, this, &TCustomDictionariesDialog::btnNewClick);
    connect(m_btnEdit, &QPushButton::clicked, this, &TCustomDictionariesDialog::btnEditClick);
    connect(m_btnDelete, &QPushButton::clicked, this, &TCustomDictionariesDialog::btnDeleteClick);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);

    setCaptions();
    fill();
}

void TCustomDictionariesDialog::setCaptions() {
    const auto text = [this](TSpellLanguageString id) {
        return SpellTexts::text(m_checker, id);
    };
    setWindowTitle(text(lsDictionaries));
    m_gbCustomDictionaries->setTitle(SpellTexts::groupTitle(text(lsDlgCustomDictionaries)));
    m_lvCustomDictionaries->setHeaderLabels({text(lsDlgFilename)});
    m_btnNew->setText(text(lsDlgNew));
    m_btnEdit->setText(text(lsDlgEdit));
    m_btnDelete->setText(text(lsDlgDelete));
    m_btnHelp->setText(text(lsDlgHelp));
    m_btnOK->setText(text(lsDlgOK));
}

void TCustomDictionariesDialog::fill(const QString& select) {
    const QSignalBlocker blocker(m_lvCustomDictionaries);
    m_lvCustomDictionaries->clear();
    const auto add = [this](Kind kind, const QString& text, const QString& name, bool checked,
                            Qt::ItemFlags flags) {
        auto* item = new QTreeWidgetItem(m_lvCustomDictionaries);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | flags);
        item->setText(0, text);
        item->setData(0, kKindRole, static_cast<int>(kind));
        item->setData(0, kNameRole, name);
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
        return item;
    };
    // Always in use, so the box cannot be cleared.
    add(Kind::Session, SpellTexts::text(m_checker, lsIgnoreAllChangeAll), {}, true, {});
    for (const DictionaryCatalog::CustomDictionary& d : m_catalog.CustomDictionaries()) {
        const QString name = QString::fromStdString(d.name);
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable;
        if (d.exists)
            flags |= Qt::ItemIsEditable;
        QTreeWidgetItem* item = add(Kind::Custom, name, name, d.checked, flags);
        item->setToolTip(0, QString::fromStdString(d.path));
        // The one that takes new words stands out.
        QFont font = item->font(0);
        font.setBold(d.active);
        item->setFont(0, font);
    }
    for (const DictionaryCatalog::WordList& w : m_catalog.WordLists()) {
        const QString path = QString::fromStdString(w.path);
        add(Kind::WordList, QFileInfo(path).fileName(), path, w.checked, Qt::ItemIsUserCheckable)
            ->setToolTip(0, path);
    }
    QTreeWidgetItem* chosen = m_lvCustomDictionaries->topLevelItem(0);
    for (int i = 0; !select.isEmpty() && i < m_lvCustomDictionaries->topLevelItemCount(); ++i)
        if (m_lvCustomDictionaries->topLevelItem(i)->data(0, kNameRole).toString() == select)
            chosen = m_lvCustomDictionaries->topLevelItem(i);
    m_lvCustomDictionaries->setCurrentItem(chosen);
    updateButtons();
}

QTreeWidgetItem* TCustomDictionariesDialog::current() const {
    return m_lvCustomDictionaries->currentItem();
}

bool TCustomDictionariesDialog::canEdit(const QTreeWidgetItem* item) const {
    if (!item)
        return false;
    switch (static_cast<Kind>(item->data(0, kKindRole).toInt())) {
    case Kind::Session:
        return m_checker.CommandEnabled(sdcInternalEdit);
    case Kind::Custom:
        return m_checker.CommandEnabled(sdcAddedEdit) ||
               m_checker.CommandEnabled(sdcAutoCorrectEdit) ||
               m_checker.CommandEnabled(sdcExcludedEdit);
    case Kind::WordList:
        break; // read from another program's file, never written
    }
    return false;
}

void TCustomDictionariesDialog::updateButtons() {
    const QTreeWidgetItem* item = current();
    m_btnEdit->setEnabled(canEdit(item));
    m_btnDelete->setEnabled(item &&
                            static_cast<Kind>(item->data(0, kKindRole).toInt()) == Kind::Custom);
}

void TCustomDictionariesDialog::lvItemChanged(QTreeWidgetItem* item, int column) {
    if (column != 0)
        return;
    const auto kind = static_cast<Kind>(item->data(0, kKindRole).toInt());
    const QString name = item->data(0, kNameRole).toString();
    const bool checked = item->checkState(0) == Qt::Checked;
    if (kind == Kind::WordList) {
        m_catalog.SetWordListChecked(name.toStdString(), checked);
        return;
    }
    if (kind != Kind::Custom)
        return;
    QString select = name;
    if (item->text(0) != name) {
        const std::string renamed =
            m_catalog.Rename(name.toStdString(), item->text(0).toStdString());
        if (renamed.empty())
            QApplication::beep(); // the old name comes back
        else
            select = QString::fromStdString(renamed);
    } else {
        m_catalog.SetCustomChecked(name.toStdString(), checked);
    }
    // After the signal: the list is built again, this item with it.
    QMetaObject::invokeMethod(
        this, [this, select] { fill(select); }, Qt::QueuedConnection);
}

void TCustomDictionariesDialog::btnNewClick() {
    TNewCustomDictionary dialog(m_checker, m_catalog, this);
    if (dialog.exec() == QDialog::Accepted)
        fill(dialog.created());
}

void TCustomDictionariesDialog::btnEditClick() {
    QTreeWidgetItem* item = current();
    if (!canEdit(item))
        return;
    const QString name = item->data(0, kNameRole).toString();
    if (static_cast<Kind>(item->data(0, kKindRole).toInt()) == Kind::Session) {
        TCustomDictionaryEditDialog dialog(m_checker, m_checker.SessionDictionary(),
                                           SpellTexts::text(m_checker, lsIgnoreAllChangeAllTitle),
                                           this);
        dialog.exec();
        return;
    }
    const std::unique_ptr<TCustomDictionary> dictionary = m_catalog.Open(name.toStdString());
    if (!dictionary) {
        QApplication::beep();
        return;
    }
    TCustomDictionaryEditDialog dialog(
        m_checker, *dictionary,
        SpellTexts::plain(SpellTexts::text(m_checker, lsDlgCustomDictionary)), this);
    dialog.exec();
    // The file exists now even if it did not before (the dictionary is written when let go).
    dictionary->SetLoaded(false);
    fill(name);
}

void TCustomDictionariesDialog::btnDeleteClick() {
    const QTreeWidgetItem* item = current();
    if (!item || static_cast<Kind>(item->data(0, kKindRole).toInt()) != Kind::Custom)
        return;
    const QString name = item->data(0, kNameRole).toString();
    if (MessageBoxes::current().showCaptioned(
            MessageBoxes::Kind::Confirmation, SpellTexts::text(m_checker, lsConfirmation),
            SpellTexts::text(m_checker, lsRemoveCustomDict),
            MessageBoxes::Buttons::YesNo) != MessageBoxes::Answer::Yes)
        return;
    m_catalog.Delete(name.toStdString());
    fill();
}
