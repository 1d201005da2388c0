#include "spellui/TSpellCheckConfigDialog.h"

#include "spellui/DialogButton.h"

#include "platform/FileDialogs.h"
#include "spelling/TSpellCheckerBase.h"
#include "spellui/SpellTexts.h"
#include "spellui/TCustomDictionariesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

using namespace kerfa::spelling;

namespace {

constexpr int kMaxOptionBoxes = 10;
constexpr int kNameRole = Qt::UserRole;
constexpr int kLocateRole = Qt::UserRole + 1;

// In bit order.
constexpr std::array<const char*, 15> kOptionBoxNames = {
    "cbLiveSpelling", "cbLiveCorrect", "cbUpcase",        "cbNumbers",     "cbHTML",
    "cbInternet",     "cbQuoted",      "cbAbbreviations", "cbPrimaryOnly", "cbRepeated",
    "cbDUalCaps",     "cbUser1",       "cbUser2",         "cbUser3",       "cbUser4"};

} // namespace

TSpellCheckConfigDialog::TSpellCheckConfigDialog(TSpellCheckerBase& checker, QWidget* parent)
    : QDialog(parent), m_checker(checker), m_catalog(checker) {
    setObjectName(QStringLiteral("TSpellCheckConfigDialog"));

    m_gbDictionaries = new QGroupBox(this);
    m_gbDictionaries->setObjectName(QStringLiteral("gbDictionaries"));
    m_lvDictionaries = new QTreeWidget(m_gbDictionaries);
    m_lvDictionaries->setObjectName(QStringLiteral("lvDictionaries"));
    m_lvDictionaries->setColumnCount(2);
    m_lvDictionaries->setRootIsDecorated(false);
    m_lvDictionaries->setUniformRowHeights(true);
    // As tall as its few entries, and never less than a handful of rows.
    m_lvDictionaries->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_lvDictionaries->setMinimumHeight(m_lvDictionaries->fontMetrics().height() * 6);
    m_lvDictionaries->header()->setStretchLastSection(false);
    m_lvDictionaries->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lvDictionaries->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_lblCustomDictionary = new QLabel(m_gbDictionaries);
    m_lblCustomDictionary->setObjectName(QStringLiteral("lblCustomDictionary"));
    m_cmbCustomDictionary = new QComboBox(m_gbDictionaries);
    m_cmbCustomDictionary->setObjectName(QStringLiteral("cmbCustomDictionary"));
    m_cmbCustomDictionary->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_lblCustomDictionary->setBuddy(m_cmbCustomDictionary);
    m_btnDictionaries = dialogButton(m_gbDictionaries, "btnDictionaries");

    auto* custom = new QHBoxLayout;
    custom->addWidget(m_lblCustomDictionary);
    custom->addWidget(m_cmbCustomDictionary, 1);
    custom->addWidget(m_btnDictionaries);
    auto* dictionaries = new QVBoxLayout(m_gbDictionaries);
    dictionaries->addWidget(m_lvDictionaries);
    dictionaries->addLayout(custom);

    // One box for each option offered, in bit order.
    m_gbOptions = new QGroupBox(this);
    m_gbOptions->setObjectName(QStringLiteral("gbOptions"));
    auto* options = new QVBoxLayout(m_gbOptions);
    for (unsigned bit = 0; bit < kOptionBoxNames.size() && m_options.size() < kMaxOptionBoxes;
         ++bit) {
        const auto option = static_cast<TSpellOption>(bit);
        if (!checker.ConfigAvailableOptions.Has(option))
            continue;
        auto* box = new QCheckBox(m_gbOptions);
        box->setObjectName(QLatin1String(kOptionBoxNames[bit]));
        options->addWidget(box);
        m_options.emplace_back(option, box);
        connect(box, &QCheckBox::toggled, this,
                [this, option](bool on) { m_checker.Config().SetOption(option, on); });
    }
    m_gbOptions->setVisible(!m_options.empty());

    m_btnResetDefaults = dialogButton(this, "btnResetDefaults");
    m_btnHelp = dialogButton(this, "btnHelp");
    m_btnOK = dialogButton(this, "btnOK");
    m_btnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnResetDefaults);
    buttons->addStretch(1);
    buttons->addWidget(m_btnHelp);
    buttons->addWidget(m_btnOK);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_gbDictionaries, 1);
    layout->addWidget(m_gbOptions);
    layout->addLayout(buttons);

    QWidget* previous = m_lvDictionaries;
    for (QWidget* next :
         {static_cast<QWidget*>(m_cmbCustomDictionary), static_cast<QWidget*>(m_btnDictionaries)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (const auto& [option, box] : m_options) {
        setTabOrder(previous, box);
        previous = box;
    }
    for (QWidget* next : {m_btnResetDefaults, m_btnHelp, m_btnOK}) {
        setTabOrder(previous, next);
        previous = next;
    }

    const auto command = [&](QWidget* widget, TSpellDialogCommand c) {
        widget->setVisible(checker.CommandVisible(c));
        widget->setEnabled(checker.CommandEnabled(c));
    };
    command(m_btnDictionaries, sdcCustomDictionaries);
    command(m_btnResetDefaults, sdcResetDefaults);
    command(m_btnHelp, sdcHelp);
    command(m_btnOK, sdcConfigOK);
    m_lblCustomDictionary->setVisible(checker.CommandVisible(sdcCustomDictionary));
    m_cmbCustomDictionary->setVisible(checker.CommandVisible(sdcCustomDictionary));

    connect(m_lvDictionaries, &QTreeWidget::itemChanged, this,
            &TSpellCheckConfigDialog::lvDictionariesItemChanged);
    connect(m_cmbCustomDictionary, &QComboBox::activated, this,
            &TSpellCheckConfigDialog::cmbCustomDictionaryActivated);
    connect(m_btnDictionaries, &QPushButton::clicked, this,
            &TSpellCheckConfigDialog::btnDictionariesClick);
    connect(m_btnResetDefaults, &QPushButton::clicked, this,
            &TSpellCheckConfigDialog::btnResetDefaultsClick);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);

    setCaptions();
    refresh();
}

void TSpellCheckConfigDialog::setCaptions() {
    const auto text = [this](TSpellLanguageString id) {
        return SpellTexts::text(m_checker, id);
    };
    setWindowTitle(text(lsSpellingOptions));
    m_gbDictionaries->setTitle(SpellTexts::groupTitle(text(lsDlgDictionariesLabel)));
    m_lvDictionaries->setHeaderLabels({text(lsDlgName), text(lsDlgFilename)});
    m_lblCustomDictionary->setText(text(lsDlgCustomDictionary));
    m_btnDictionaries->setText(text(lsDlgDictionaries));
    m_gbOptions->setTitle(SpellTexts::groupTitle(text(lsDlgOptionsLabel)));
    const std::array<const std::string*, 4> user = {
        &m_checker.ConfigUserOption1, &m_checker.ConfigUserOption2, &m_checker.ConfigUserOption3,
        &m_checker.ConfigUserOption4};
    for (const auto& [option, box] : m_options)
        box->setText(option <= soDUalCaps
                         ? text(static_cast<TSpellLanguageString>(int(lsLiveSpelling) + option))
                         : QString::fromStdString(*user[option - soUser1]));
    m_btnResetDefaults->setText(text(lsDlgResetDefaults));
    m_btnHelp->setText(text(lsDlgHelp));
    m_btnOK->setText(text(lsDlgOK));
}

void TSpellCheckConfigDialog::refresh() {
    fillDictionaries();
    fillCustomDictionaries();
    showOptions();
}

void TSpellCheckConfigDialog::fillDictionaries() {
    const QSignalBlocker blocker(m_lvDictionaries);
    m_lvDictionaries->clear();
    const auto checkable = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    for (const DictionaryCatalog::MainDictionary& d : m_catalog.MainDictionaries()) {
        auto* item = new QTreeWidgetItem(m_lvDictionaries);
        item->setFlags(checkable);
        item->setText(0, d.readable ? QString::fromStdString(d.title) : QStringLiteral("???"));
        item->setText(1, QString::fromStdString(d.name));
        item->setToolTip(1, QString::fromStdString(d.path));
        item->setData(0, kNameRole, QString::fromStdString(d.name));
        item->setCheckState(0, d.checked ? Qt::Checked : Qt::Unchecked);
    }
    if (m_checker.CommandEnabled(sdcMainDictFolderBrowse)) {
        auto* locate = new QTreeWidgetItem(m_lvDictionaries);
        locate->setFlags(checkable);
        locate->setText(0, SpellTexts::text(m_checker, lsDlgBrowseForMain));
        locate->setData(0, kLocateRole, true);
        locate->setCheckState(0, Qt::Unchecked);
        locate->setFirstColumnSpanned(true);
    }
}

void TSpellCheckConfigDialog::fillCustomDictionaries() {
    m_cmbCustomDictionary->clear();
    for (const std::string& name : m_catalog.InUse())
        m_cmbCustomDictionary->addItem(QString::fromStdString(name));
    m_cmbCustomDictionary->setCurrentIndex(0);
    m_cmbCustomDictionary->setEnabled(m_cmbCustomDictionary->count() > 0 &&
                                      m_checker.CommandEnabled(sdcCustomDictionary));
}

void TSpellCheckConfigDialog::showOptions() {
    const TSpellOptions options = m_checker.Config().Options();
    for (const auto& [option, box] : m_options) {
        const QSignalBlocker blocker(box);
        box->setChecked(options.Has(option));
    }
}

void TSpellCheckConfigDialog::lvDictionariesItemChanged(QTreeWidgetItem* item, int column) {
    if (column != 0)
        return;
    const bool checked = item->checkState(0) == Qt::Checked;
    if (item->data(0, kLocateRole).toBool()) {
        // After the signal: the list is built again, this item with it.
        if (checked)
            QMetaObject::invokeMethod(this, &TSpellCheckConfigDialog::locateDictionaries,
                                      Qt::QueuedConnection);
        return;
    }
    m_catalog.SetMainChecked(item->data(0, kNameRole).toString().toStdString(), checked);
}

// The entry is a command, not a dictionary: it asks for a folder, and is unchecked again.
void TSpellCheckConfigDialog::locateDictionaries() {
    const QString folder = FileDialogs::current().chooseFolder(
        this, SpellTexts::text(m_checker, lsDlgBrowseForMainTitle));
    if (!folder.isEmpty())
        m_catalog.AddFolder(folder.toStdString());
    fillDictionaries();
}

void TSpellCheckConfigDialog::cmbCustomDictionaryActivated(int index) {
    m_catalog.SetActive(m_cmbCustomDictionary->itemText(index).toStdString());
    fillCustomDictionaries();
}

void TSpellCheckConfigDialog::btnDictionariesClick() {
    TCustomDictionariesDialog dialog(m_checker, this);
    dialog.exec();
    fillCustomDictionaries();
}

void TSpellCheckConfigDialog::btnResetDefaultsClick() {
    m_checker.Config().Reset();
    refresh();
}
