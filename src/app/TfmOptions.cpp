#include "app/TfmOptions.h"

#include "common/ProgramFolder.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"
#include "spelling/DictionaryLanguages.h"
#include "spelling/TMainDictionary.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kLanguageRows = 10;
constexpr int kEditorRows = 5;
constexpr int kSmallestFontSize = 9;
constexpr int kLargestFontSize = 20;
constexpr int kDefaultFontSize = 11;
constexpr int kDefaultInterval = 15;
constexpr int kIntervals[] = {5, 10, 15, 20, 30};
// Room between the dialog and the bottom of the screen.
constexpr int kBottomGap = 30;

template <class T> T* named(T* component, const char* name) {
    component->setObjectName(QString::fromLatin1(name));
    return component;
}

QGroupBox* group(QWidget* page, const char* name, QLayout* contents) {
    auto* box = named(new QGroupBox(page), name);
    box->setLayout(contents);
    return box;
}

QComboBox* dropDownList(const char* name, int visibleRows) {
    auto* list = named(new QComboBox, name);
    list->setMaxVisibleItems(visibleRows);
    return list;
}

// Fills a list with the folder's "*.ini" files and selects the one named, if it is there.
void fillWithIniFiles(QComboBox* list, const QString& folder, const QString& selected) {
    list->clear();
    for (const auto& [shown, fileName] : TfmOptions::iniFiles(folder))
        list->addItem(shown, fileName);
    list->setEnabled(list->count() > 0);
    list->setCurrentIndex(list->findData(selected));
}

// The languages a book can name: the spelling settings' choice, then each language whose main
// dictionary is in the program's Spelling folder, by the dictionary's title; a tag the book names
// beyond those (written by another program) is kept as it stands.
void fillWithBookLanguages(QComboBox* list, const QString& selected) {
    list->clear();
    list->addItem(Captions::text(u"fmOptions", u"txtSpellingSettings"), QString());
    const QString folder = ProgramFolder::sub(QStringLiteral("Spelling"));
    for (const auto& entry : kerfa::spelling::DictionaryLanguages::All()) {
        kerfa::spelling::TMainDictionary dictionary;
        const QString file = QString::fromLatin1(entry.file.data(), entry.file.size());
        if (!dictionary.Open(QFile::encodeName(folder + file).toStdString()))
            continue;
        const QString tag = QString::fromLatin1(entry.tag.data(), entry.tag.size());
        list->addItem(
            QString::fromStdString(dictionary.Title()) + QStringLiteral(" (") + tag + u')', tag);
    }
    if (list->findData(selected) < 0)
        list->addItem(selected, selected);
    list->setCurrentIndex(list->findData(selected));
}

// The list's text as a number, or the fallback when nothing is selected.
int chosenNumber(const QComboBox* list, int fallback) {
    return list->currentIndex() >= 0 ? list->currentText().toInt() : fallback;
}

} // namespace

TfmOptions::TfmOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmOptions"));

    // Application: the interface language, the theme new projects start with, the main window.
    m_cmbLanguage = dropDownList("cmbLanguage", kLanguageRows);
    m_cmbDefaultTheme = dropDownList("cmbDefaultTheme", kLanguageRows);
    m_cbRememberAppPos = named(new QCheckBox, "cbRememberAppPos");
    m_cbAutoCompKerfa = named(new QCheckBox, "cbAutoCompKerfa");
    m_cbHints = named(new QCheckBox, "cbHints");
    auto* tsApplication = named(new QWidget, "tsApplication");
    auto* languageLayout = new QVBoxLayout;
    languageLayout->addWidget(m_cmbLanguage);
    auto* defaultThemeLayout = new QVBoxLayout;
    defaultThemeLayout->addWidget(m_cmbDefaultTheme);
    auto* workspaceLayout = new QVBoxLayout;
    workspaceLayout->addWidget(m_cbRememberAppPos);
    workspaceLayout->addWidget(m_cbAutoCompKerfa);
    workspaceLayout->addWidget(m_cbHints);
    auto* applicationLayout = new QVBoxLayout(tsApplication);
    applicationLayout->addWidget(group(tsApplication, "gbLanguage", languageLayout));
    applicationLayout->addWidget(group(tsApplication, "gbDefaultTheme", defaultThemeLayout));
    applicationLayout->addWidget(group(tsApplication, "gbWorkspace", workspaceLayout));
    applicationLayout->addStretch();

    // Project: the open project's desk size, theme, labels and language.
    m_rbNormal = named(new QRadioButton, "rbNormal");
    m_rbDouble = named(new QRadioButton, "rbDouble");
    m_rbQuad = named(new QRadioButton, "rbQuad");
    m_cmbThemes = dropDownList("cmbThemes", kLanguageRows);
    m_cbBoldBaseType = named(new QCheckBox, "cbBoldBaseType");
    m_cmbBookLanguage = dropDownList("cmbBookLanguage", kLanguageRows);
    auto* tsProject = named(new QWidget, "tsProject");
    auto* sizeLayout = new QVBoxLayout;
    sizeLayout->addWidget(m_rbNormal);
    sizeLayout->addWidget(m_rbDouble);
    sizeLayout->addWidget(m_rbQuad);
    auto* themeLayout = new QVBoxLayout;
    themeLayout->addWidget(m_cmbThemes);
    auto* labelsLayout = new QVBoxLayout;
    labelsLayout->addWidget(m_cbBoldBaseType);
    auto* bookLanguageLayout = new QVBoxLayout;
    bookLanguageLayout->addWidget(m_cmbBookLanguage);
    auto* projectLayout = new QVBoxLayout(tsProject);
    projectLayout->addWidget(group(tsProject, "gbProjectWorkspace", sizeLayout));
    projectLayout->addWidget(group(tsProject, "gbProjectTheme", themeLayout));
    projectLayout->addWidget(group(tsProject, "gbKerfaLabels", labelsLayout));
    projectLayout->addWidget(group(tsProject, "gbBookLanguage", bookLanguageLayout));
    projectLayout->addStretch();

    // Editor: where its windows open, their font, and saving on a timer.
    m_rbAll = named(new QRadioButton, "rbAll");
    m_rbSingle = named(new QRadioButton, "rbSingle");
    m_rbNone = named(new QRadioButton, "rbNone");
    m_cbEditorsOnTop = named(new QCheckBox, "cbEditorsOnTop");
    m_cmbFontName = dropDownList("cmbFontName", kEditorRows);
    m_cmbFontSize = dropDownList("cmbFontSize", kEditorRows);
    for (int size = kSmallestFontSize; size <= kLargestFontSize; ++size)
        m_cmbFontSize->addItem(QString::number(size));
    m_cbAutoSave = named(new QCheckBox, "cbAutoSave");
    m_cmbInterval = dropDownList("cmbInterval", kEditorRows);
    for (const int minutes : kIntervals)
        m_cmbInterval->addItem(QString::number(minutes));
    auto* lblInterval = named(new QLabel, "lblInterval");
    auto* tsEditor = named(new QWidget, "tsEditor");
    auto* positioningLayout = new QVBoxLayout;
    positioningLayout->addWidget(m_rbAll);
    positioningLayout->addWidget(m_rbSingle);
    positioningLayout->addWidget(m_rbNone);
    positioningLayout->addWidget(m_cbEditorsOnTop);
    auto* fontLayout = new QHBoxLayout;
    fontLayout->addWidget(m_cmbFontName, 1);
    fontLayout->addWidget(m_cmbFontSize);
    auto* autoSaveLayout = new QHBoxLayout;
    autoSaveLayout->addWidget(m_cbAutoSave);
    autoSaveLayout->addWidget(m_cmbInterval);
    autoSaveLayout->addWidget(lblInterval);
    autoSaveLayout->addStretch();
    auto* editorLayout = new QVBoxLayout(tsEditor);
    editorLayout->addWidget(group(tsEditor, "gbEditPositioning", positioningLayout));
    editorLayout->addWidget(group(tsEditor, "gbFont", fontLayout));
    editorLayout->addWidget(group(tsEditor, "gbAutoSave", autoSaveLayout));
    editorLayout->addStretch();

    m_pgctrlOptions = named(new QTabWidget(this), "pgctrlOptions");
    m_pgctrlOptions->addTab(tsApplication, QString());
    m_pgctrlOptions->addTab(tsProject, QString());
    m_pgctrlOptions->addTab(tsEditor, QString());

    // OK and Cancel, in the order the desktop puts them; Esc cancels.
    m_btnOK = named(new QPushButton(this), "btnOK");
    m_btnOK->setDefault(true);
    m_btnCancel = named(new QPushButton(this), "btnCancel");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_btnOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_btnCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmOptions::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmOptions::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pgctrlOptions);
    layout->addWidget(buttons);
    // As large as the captions of the language in force need, and no larger.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cbAutoSave, &QCheckBox::toggled, this, &TfmOptions::cbAutoSaveClick);
    FormCaptions::apply(this);
}

QList<std::pair<QString, QString>> TfmOptions::iniFiles(const QString& folder) {
    QList<std::pair<QString, QString>> files;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.ini")}, QDir::Files | QDir::Readable);
    for (const QString& fileName : names) {
        const qsizetype ini = fileName.indexOf(QLatin1String(".ini"), 0, Qt::CaseInsensitive);
        if (ini > 0)
            files.append({fileName.left(ini), fileName});
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(files.begin(), files.end(),
              [&collator](const auto& a, const auto& b) { return collator(a.first, b.first); });
    return files;
}

void TfmOptions::FormCreate() {
    // Looking through the installed fonts takes a while: done at the first showing, not when
    // Kerfa starts.
    QStringList families = QFontDatabase::families(QFontDatabase::Any);
    families.removeIf([](const QString& family) { return QFontDatabase::isPrivateFamily(family); });
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(families.begin(), families.end(), collator);
    m_cmbFontName->addItems(families);
    m_fontsListed = true;
}

void TfmOptions::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfmOptions::FormShow() {
    if (!m_fontsListed)
        FormCreate();
    const OptionChoices& c = m_choices;
    m_cbRememberAppPos->setChecked(c.rememberAppPos);
    m_cbAutoCompKerfa->setChecked(c.autoCompKerfa);
    m_cbBoldBaseType->setChecked(c.boldBaseType);
    m_cbEditorsOnTop->setChecked(c.editorsOnTop);
    m_cbAutoSave->setChecked(c.autoSave);

    (c.workspaceSize == 1   ? m_rbDouble
     : c.workspaceSize == 2 ? m_rbQuad
                            : m_rbNormal)
        ->setChecked(true);
    (c.positioning == 1 ? m_rbSingle : c.positioning == 2 ? m_rbNone : m_rbAll)->setChecked(true);

    // A value its list does not hold leaves the list without a selection.
    m_cmbFontName->setCurrentIndex(m_cmbFontName->findText(c.fontName));
    m_cmbFontSize->setCurrentIndex(m_cmbFontSize->findText(QString::number(c.fontSize)));
    m_cmbInterval->setCurrentIndex(m_cmbInterval->findText(QString::number(c.autoSaveInterval)));
    cbAutoSaveClick();

    fillWithIniFiles(m_cmbLanguage, ProgramFolder::sub(QStringLiteral("Languages")), c.language);
    const QString themes = ProgramFolder::sub(QStringLiteral("Themes"));
    fillWithIniFiles(m_cmbDefaultTheme, themes, c.defaultTheme);
    fillWithIniFiles(m_cmbThemes, themes, c.projectTheme);
    fillWithBookLanguages(m_cmbBookLanguage, c.bookLanguage);
    m_cbHints->setChecked(c.hints);

    // Each showing starts on the first tab, at the language list.
    m_pgctrlOptions->setCurrentIndex(0);
    m_cmbLanguage->setFocus();

    // Bottom right of the screen, clear of its lower edge, and never off its top or left.
    adjustSize();
    const QWidget* over = parentWidget() ? parentWidget() : this;
    if (const QScreen* screen = over->screen()) {
        const QRect area = screen->availableGeometry();
        move(std::max(area.left(), area.left() + area.width() - width()),
             std::max(area.top(), area.top() + area.height() - height() - kBottomGap));
    }
}

void TfmOptions::cbAutoSaveClick() {
    m_cmbInterval->setEnabled(m_cbAutoSave->isChecked());
}

void TfmOptions::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TfmOptions::FormClose() {
    OptionChoices& c = m_choices;
    c.workspaceSize = m_rbDouble->isChecked() ? 1 : m_rbQuad->isChecked() ? 2 : 0;
    c.positioning = m_rbSingle->isChecked() ? 1 : m_rbNone->isChecked() ? 2 : 0;
    if (m_cmbLanguage->currentIndex() >= 0)
        c.language = m_cmbLanguage->currentData().toString();
    if (m_cmbDefaultTheme->currentIndex() >= 0)
        c.defaultTheme = m_cmbDefaultTheme->currentData().toString();
    if (m_cmbThemes->currentIndex() >= 0)
        c.projectTheme = m_cmbThemes->currentData().toString();
    if (m_cmbBookLanguage->currentIndex() >= 0)
        c.bookLanguage = m_cmbBookLanguage->currentData().toString();
    c.hints = m_cbHints->isChecked();
    c.fontName = m_cmbFontName->currentIndex() >= 0 ? m_cmbFontName->currentText() : QString();
    c.fontSize = chosenNumber(m_cmbFontSize, kDefaultFontSize);
    c.autoSaveInterval = chosenNumber(m_cmbInterval, kDefaultInterval);
    c.rememberAppPos = m_cbRememberAppPos->isChecked();
    c.autoCompKerfa = m_cbAutoCompKerfa->isChecked();
    c.boldBaseType = m_cbBoldBaseType->isChecked();
    c.editorsOnTop = m_cbEditorsOnTop->isChecked();
    c.autoSave = m_cbAutoSave->isChecked();
}
