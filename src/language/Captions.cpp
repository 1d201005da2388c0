#include "language/Captions.h"

#include "common/AsciiCase.h"

#include <QHash>

namespace {

using Form = Captions::Form;

// Window captions, then the main window, the editor and the dialogs, in the order their keys
// are read from a language file. Rows without a section have no key: their text is fixed.
constexpr Captions::Row kRows[] = {
    {"fmOptions", "", "Options", "TL00", "Kerfa Options", Form::AsIs},
    {"fmOptions", "btnOK", "Buttons", "BN00", "&OK", Form::AsIs},
    {"fmProperties", "btnOk", "Buttons", "BN00", "&OK", Form::AsIs},
    {"fmOptions", "btnCancel", "Buttons", "BN01", "&Cancel", Form::AsIs},
    {"fmProperties", "btnCancel", "Buttons", "BN01", "&Cancel", Form::AsIs},
    {"fmMain", "mmnuFile", "Project.Main", "MM00", "&File", Form::AsIs},
    {"fmMain", "mmnuTools", "Project.Main", "MM01", "&Tools", Form::AsIs},
    {"fmMain", "mmnuHelp", "Project.Main", "MM02", "&Help", Form::AsIs},
    {"fmMain", "mnuNewProject", "Project.File", "MN00", "&New...", Form::AsIs},
    {"fmMain", "mnuOpenProject", "Project.File", "MN01", "&Open...", Form::AsIs},
    {"fmMain", "mnuSaveProject", "Project.File", "MN02", "&Save", Form::AsIs},
    {"fmMain", "mnuSaveProjectAs", "Project.File", "MN03", "Save &As...", Form::AsIs},
    {"fmMain", "mnuBackupProject", "Project.File", "MN04", "&Backup Project", Form::AsIs},
    {"fmMain", "mnuExplore", "Project.File", "MN05", "&Explore", Form::AsIs},
    {"fmMain", "mnuExit", "Project.File", "MN06", "E&xit", Form::AsIs},
    {"fmMain", "mnuExploreProject", "Project.Sub-Explore", "MN00", "&Project...", Form::AsIs},
    {"fmMain", "mnuExploreTemplates", "Project.Sub-Explore", "MN01", "Te&mplates...", Form::AsIs},
    {"fmMain", "mnuExploreBackups", "Project.Sub-Explore", "MN02", "&Backups...", Form::AsIs},
    {"fmMain", "mnuExploreThemes", "Project.Sub-Explore", "MN03", "&Themes...", Form::AsIs},
    {"fmMain", "mnuExploreDictionaries", "Project.Sub-Explore", "MN04", "&Dictionaries...",
     Form::AsIs},
    {"fmMain", "mnuExploreThesaurus", "Project.Sub-Explore", "MN05", "The&saurus...", Form::AsIs},
    {"fmMain", "mnuFindAndCompile", "Project.Tools", "MN00", "&Find && Compile...", Form::AsIs},
    {"fmMain", "mnuCompile", "Project.Tools", "MN01", "&Compile...", Form::AsIs},
    {"fmMain", "mnuWordCount", "Project.Tools", "MN02", "&Word Count", Form::AsIs},
    {"fmMain", "pmnuWordCount", "Project.Tools", "MN02", "&Word Count", Form::AsIs},
    {"fmMain", "mnuOptions", "Project.Tools", "MN03", "&Options...", Form::AsIs},
    {"fmMain", "mnuHelp", "Project.Help", "MN00", "&Help...", Form::AsIs},
    {"fmMain", "mnuAbout", "Project.Help", "MN01", "&About...", Form::AsIs},
    // Recovery copies of unsaved text: the Help menu's command.
    {"fmMain", "mnuRecover", "Project.Help", "MN02", "&Recover Unsaved Text...", Form::AsIs},
    {"fmMain", "pmnuEdit", "Project.PopupKerfa", "MN00", "&Edit", Form::AsIs},
    {"fmCompile", "pmnuEdit", "Project.PopupKerfa", "MN00", "&Edit", Form::AsIs},
    {"fmMain", "pmnuAddToCompilation", "Project.PopupKerfa", "MN01", "&Add To Compilation",
     Form::AsIs},
    {"fmMain", "pmnuPrint", "Project.PopupKerfa", "MN02", "&Print", Form::AsIs},
    {"fmMain", "pmnuDelete", "Project.PopupKerfa", "MN03", "&Delete", Form::AsIs},
    {"fmMain", "pmnuProperties", "Project.PopupKerfa", "MN04", "Proper&ties...", Form::AsIs},
    // The sheet popup's compilation submenu, which had fixed texts.
    {"fmMain", "pmnuCompilation", "Project.PopupKerfa", "MN05", "&Compilation", Form::AsIs},
    {"fmMain", "pmnuLinksToCompilation", "Project.PopupKerfa", "MN06", "&Links To Compilation",
     Form::AsIs},
    {"fmMain", "pmnuNewKerfa", "Project.PopupPanel", "MN00", "&New Kerfa...", Form::AsIs},
    {"fmEditor", "mmnuFile", "Editor.Main", "MM00", "&File", Form::AsIs},
    {"fmEditor", "mmnuEdit", "Editor.Main", "MM01", "&Edit", Form::AsIs},
    {"fmEditor", "mmnuSearch", "Editor.Main", "MM02", "&Search", Form::AsIs},
    {"fmEditor", "mmnuTools", "Editor.Main", "MM03", "&Tools", Form::AsIs},
    {"fmEditor", "mmnuHelp", "Editor.Main", "MM04", "&Help", Form::AsIs},
    {"fmEditor", "mnuImportText", "Editor.File", "MN00", "&Import Text...", Form::AsIs},
    {"fmEditor", "mnuSave", "Editor.File", "MN01", "&Save", Form::AsIs},
    {"fmEditor", "mnuPrint", "Editor.File", "MN02", "&Print", Form::AsIs},
    {"fmEditor", "mnuExplore", "Editor.File", "MN03", "&Explore", Form::AsIs},
    {"fmEditor", "mnuClose", "Editor.File", "MN04", "&Close Editor", Form::AsIs},
    {"fmEditor", "mnuExploreTemplates", "Editor.Sub-Explore", "MN00", "Te&mplates...", Form::AsIs},
    {"fmEditor", "mnuExploreDictionaries", "Editor.Sub-Explore", "MN01", "&Dictionaries...",
     Form::AsIs},
    {"fmEditor", "mnuExploreThesaurus", "Editor.Sub-Explore", "MN02", "The&saurus...", Form::AsIs},
    {"fmEditor", "mnuUndo", "Editor.Edit", "MN00", "&Undo", Form::AsIs},
    {"fmEditor", "pmnuUndo", "Editor.Edit", "MN00", "&Undo", Form::AsIs},
    {"fmEditor", "mnuCut", "Editor.Edit", "MN01", "Cu&t", Form::AsIs},
    {"fmEditor", "pmnuCut", "Editor.Edit", "MN01", "Cu&t", Form::AsIs},
    {"fmEditor", "mnuCopy", "Editor.Edit", "MN02", "&Copy", Form::AsIs},
    {"fmEditor", "pmnuCopy", "Editor.Edit", "MN02", "&Copy", Form::AsIs},
    {"fmEditor", "mnuPaste", "Editor.Edit", "MN03", "&Paste", Form::AsIs},
    {"fmEditor", "pmnuPaste", "Editor.Edit", "MN03", "&Paste", Form::AsIs},
    {"fmEditor", "mnuSelectAll", "Editor.Edit", "MN04", "Select &All", Form::AsIs},
    {"fmEditor", "pmnuSelectAll", "Editor.Edit", "MN04", "Select &All", Form::AsIs},
    {"fmEditor", "mnuFindReplace", "Editor.Search", "MN00", "&Find && Replace...", Form::AsIs},
    {"fmEditor", "mnuRepeatFind", "Editor.Search", "MN01", "&Repeat Find", Form::AsIs},
    {"fmEditor", "mnuSpellCheck", "Editor.Tools", "MN00", "&Spell Check...", Form::AsIs},
    {"fmEditor", "mnuSpellingOptions", "Editor.Tools", "MN01", "Spelling &Options...", Form::AsIs},
    {"fmEditor", "mnuThesaurus", "Editor.Tools", "MN02", "&Thesaurus...", Form::AsIs},
    {"fmEditor", "mnuWordCount", "Editor.Tools", "MN03", "&Word Count", Form::AsIs},
    {"fmEditor", "mnuSaveWindowPos", "Editor.Tools", "MN04", "Save Window &Position", Form::AsIs},
    {"fmEditor", "mnuHelp", "Editor.Help", "MN00", "&Help", Form::AsIs},
    {"fmMain", "dlgOpen", "Dialog.Open", "TL00", "Open Project", Form::AsIs},
    {"fmMain", "dlgSaveAs", "Dialog.SaveAs", "TL00", "Save Project To Folder As", Form::AsIs},
    {"fmEditor", "dlgImportText", "Dialog.ImportText", "TL00", "Import Text", Form::AsIs},
    {"fmCompile", "", "Dialog.Compile", "TL00", "Kerfa Compilation", Form::KerfaPrefix},
    {"fmCompile", "btnCreate", "Dialog.Compile", "BN00", "&Create", Form::AsIs},
    {"fmCompile", "btnClose", "Dialog.Compile", "BN01", "C&lose", Form::AsIs},
    {"fmCompile", "gbInclude", "Dialog.Compile", "GB00", " Include ", Form::Padded},
    {"fmCompile", "cbDescriptions", "Dialog.Compile", "CB00", "Kerfa &Descriptions", Form::AsIs},
    {"fmCompile", "cbContent", "Dialog.Compile", "CB01", "&Content", Form::AsIs},
    {"fmCompile", "pmnuDelete", "Dialog.Compile", "PM00", "&Delete", Form::AsIs},
    {"fmCompile", "pmnuClearAll", "Dialog.Compile", "PM01", "&Clear All", Form::AsIs},
    {"fmFindAndCompile", "", "Dialog.FindAndCompile", "TL00", "Find & Compile", Form::AsIs},
    // Export of the compilation: its button in the compilation window, and the export dialog.
    {"fmCompile", "btnExport", "Dialog.Compile", "BN02", "&Export...", Form::AsIs},
    {"fmExport", "", "Dialog.Export", "TL00", "Export Manuscript", Form::AsIs},
    {"fmExport", "dlgExport", "Dialog.Export", "TL01", "Export Manuscript To", Form::AsIs},
    {"fmExport", "gbFormat", "Dialog.Export", "GB00", " Format ", Form::Padded},
    {"fmExport", "rbOpenDocument", "Dialog.Export", "RB00", "O&penDocument text", Form::AsIs},
    {"fmExport", "rbHtml", "Dialog.Export", "RB01", "&HTML web page", Form::AsIs},
    {"fmExport", "rbMarkdown", "Dialog.Export", "RB02", "&Markdown", Form::AsIs},
    {"fmExport", "rbEpub", "Dialog.Export", "RB03", "&EPUB e-book", Form::AsIs},
    {"fmExport", "rbWord", "Dialog.Export", "RB04", "&Word document", Form::AsIs},
    {"fmExport", "cbChapterDescriptions", "Dialog.Export", "CB00", "Chapter &descriptions",
     Form::AsIs},
    {"fmExport", "btnOk", "Buttons", "BN00", "&OK", Form::AsIs},
    {"fmExport", "btnCancel", "Buttons", "BN01", "&Cancel", Form::AsIs},
    {"fmOptions", "", "Dialog.Options", "TL00", "Kerfa Options", Form::KerfaPrefix},
    {"fmOptions", "tsApplication", "Dialog.Options", "TB00", "Application", Form::AsIs},
    {"fmOptions", "tsProject", "Dialog.Options", "TB01", "Project", Form::AsIs},
    {"fmOptions", "tsEditor", "Dialog.Options", "TB02", "Editor", Form::AsIs},
    {"fmOptions", "gbLanguage", "Dialog.Options", "GB00", " Language ", Form::Padded},
    {"fmOptions", "gbDefaultTheme", "Dialog.Options", "GB01", " Default Theme ", Form::Padded},
    {"fmOptions", "cbRememberAppPos", "Dialog.Options", "CB00", "&Remember Main Window Position",
     Form::AsIs},
    {"fmOptions", "cbAutoCompKerfa", "Dialog.Options", "CB01", "&Auto-Create Compilation Kerfa",
     Form::AsIs},
    {"fmOptions", "gbWorkspace", "Dialog.Options", "GB02", " Workspace ", Form::Padded},
    {"fmOptions", "cbHints", "Dialog.Options", "CB03", "&Show Kerfa Descriptions As Hints",
     Form::AsIs},
    {"fmOptions", "gbProjectWorkspace", "Dialog.Options", "GB03", " Workspace ", Form::Padded},
    {"fmOptions", "rbNormal", "Dialog.Options", "RB00", "&Screen Size", Form::AsIs},
    {"fmOptions", "rbDouble", "Dialog.Options", "RB01", "&Double", Form::AsIs},
    {"fmOptions", "rbQuad", "Dialog.Options", "RB02", "&Quadruple", Form::AsIs},
    {"fmOptions", "gbProjectTheme", "Dialog.Options", "GB04", " Project &Theme ", Form::Padded},
    {"fmOptions", "gbKerfaLabels", "Dialog.Options", "GB05", " Kerfa Labels ", Form::Padded},
    {"fmOptions", "cbBoldBaseType", "Dialog.Options", "CB04", "&Bold Main Kerfa Type ", Form::AsIs},
    {"fmOptions", "gbBookLanguage", "Dialog.Options", "GB09", " Book &Language ", Form::Padded},
    {"fmOptions", "txtSpellingSettings", "Dialog.Options", "TX00", "As in Spelling Options",
     Form::AsIs},
    {"fmOptions", "gbEditPositioning", "Dialog.Options", "GB06", " Window Positioning ",
     Form::Padded},
    {"fmOptions", "cbEditorsOnTop", "Dialog.Options", "CB05", "&Keep Edit Windows On Top",
     Form::AsIs},
    {"fmOptions", "rbAll", "Dialog.Options", "RB03", "&Remember All", Form::AsIs},
    {"fmOptions", "rbSingle", "Dialog.Options", "RB04", "&Single", Form::AsIs},
    {"fmOptions", "rbNone", "Dialog.Options", "RB05", "&None", Form::AsIs},
    {"fmOptions", "gbFont", "Dialog.Options", "GB07", " Font && Size ", Form::Padded},
    {"fmOptions", "gbAutoSave", "Dialog.Options", "GB08", " Auto-Save ", Form::Padded},
    {"fmOptions", "cbAutoSave", "Dialog.Options", "CB06", "Auto &Save Edits every", Form::AsIs},
    {"fmOptions", "lblInterval", "Dialog.Options", "LB00", "mins.", Form::AsIs},
    {"fmProperties", "", "Dialog.Properties", "TL00", "New Kerfa", Form::KerfaPrefix},
    {"fmProperties", "gbKerfaDetails", "Dialog.Properties", "GB00", " Kerfa Details ",
     Form::Padded},
    {"fmProperties", "lblName", "Dialog.Properties", "LB00", "&Name:", Form::Colon},
    {"fmProperties", "lblType", "Dialog.Properties", "LB01", "&Type:", Form::Colon},
    {"fmProperties", "gbDescription", "Dialog.Properties", "GB01", " Description ", Form::Padded},
    {"fmFindReplace", "", "Dialog.FindReplace", "TL00", "Find & Replace", Form::AsIs},
    {"fmFindReplace", "btnFind", "Dialog.FindReplace", "BN00", "&Find", Form::AsIs},
    {"fmFindAndCompile", "btnFind", "Dialog.FindReplace", "BN00", "&Find", Form::AsIs},
    {"fmFindReplace", "btnReplace", "Dialog.FindReplace", "BN01", "&Replace", Form::AsIs},
    {"fmFindReplace", "btnReplaceAll", "Dialog.FindReplace", "BN02", "Replace &All", Form::AsIs},
    {"fmFindReplace", "btnClose", "Dialog.FindReplace", "BN03", "&Close", Form::AsIs},
    {"fmFindAndCompile", "btnClose", "Dialog.FindReplace", "BN03", "&Close", Form::AsIs},
    {"fmFindReplace", "gbFind", "Dialog.FindReplace", "GB00", " Find ", Form::Padded},
    {"fmFindAndCompile", "gbFind", "Dialog.FindReplace", "GB00", " Find ", Form::Padded},
    {"fmFindReplace", "cbMatchCase", "Dialog.FindReplace", "CB00", "&Match Case", Form::AsIs},
    {"fmFindAndCompile", "cbMatchCase", "Dialog.FindReplace", "CB00", "&Match Case", Form::AsIs},
    {"fmFindReplace", "cbFromTop", "Dialog.FindReplace", "CB01", "&Start From Top", Form::AsIs},
    {"fmFindReplace", "gbReplace", "Dialog.FindReplace", "GB01", " Replace With ", Form::Padded},
    {"fmFindAndCompile", "cbClearCompiler", "Dialog.FindReplace", "CB02", "&Clear Compilation",
     Form::AsIs},
    // A sheet's snapshots: the editor's and the sheet popup's commands and their window.
    {"fmEditor", "mnuTakeSnapshot", "Dialog.Snapshots", "MN00", "Take S&napshot", Form::AsIs},
    {"fmMain", "pmnuTakeSnapshot", "Dialog.Snapshots", "MN00", "Take S&napshot", Form::AsIs},
    {"fmEditor", "mnuSnapshots", "Dialog.Snapshots", "MN01", "Snaps&hots...", Form::AsIs},
    {"fmMain", "pmnuSnapshots", "Dialog.Snapshots", "MN01", "Snaps&hots...", Form::AsIs},
    {"fmSnapshots", "", "Dialog.Snapshots", "TL00", "Snapshots", Form::AsIs},
    {"fmSnapshots", "btnTakeSnapshot", "Dialog.Snapshots", "BN00", "&Take Snapshot", Form::AsIs},
    {"fmSnapshots", "btnRestore", "Dialog.Snapshots", "BN01", "&Restore", Form::AsIs},
    {"fmSnapshots", "btnClose", "Dialog.Snapshots", "BN02", "&Close", Form::AsIs},
    {"fmSnapshots", "hdrTaken", "Dialog.Snapshots", "HD00", "Taken", Form::AsIs},
    {"fmSnapshots", "hdrWords", "Dialog.Snapshots", "HD01", "Words", Form::AsIs},
    {"fmSnapshots", "lblLegend", "Dialog.Snapshots", "LB00",
     "Struck through in red: only in the snapshot. Underlined in green: only in the text now.",
     Form::AsIs},
    // Replace In Book: the main window's command and its window.
    {"fmMain", "mnuReplaceInBook", "Dialog.ReplaceInBook", "MN00", "&Replace In Book...",
     Form::AsIs},
    {"fmReplaceInBook", "", "Dialog.ReplaceInBook", "TL00", "Replace In Book", Form::AsIs},
    {"fmReplaceInBook", "gbFind", "Dialog.ReplaceInBook", "GB00", " Find ", Form::Padded},
    {"fmReplaceInBook", "gbReplace", "Dialog.ReplaceInBook", "GB01", " Replace With ",
     Form::Padded},
    {"fmReplaceInBook", "cbMatchCase", "Dialog.ReplaceInBook", "CB00", "&Match Case", Form::AsIs},
    {"fmReplaceInBook", "cbWholeWords", "Dialog.ReplaceInBook", "CB01", "&Whole Words", Form::AsIs},
    {"fmReplaceInBook", "btnFind", "Dialog.ReplaceInBook", "BN00", "&Find", Form::AsIs},
    {"fmReplaceInBook", "btnReplace", "Dialog.ReplaceInBook", "BN01", "&Replace", Form::AsIs},
    {"fmReplaceInBook", "btnClose", "Dialog.ReplaceInBook", "BN02", "&Close", Form::AsIs},
    {"fmReplaceInBook", "hdrKerfa", "Dialog.ReplaceInBook", "HD00", "Kerfa", Form::AsIs},
    {"fmReplaceInBook", "hdrLine", "Dialog.ReplaceInBook", "HD01", "Line", Form::AsIs},
    {"fmReplaceInBook", "hdrText", "Dialog.ReplaceInBook", "HD02", "Text", Form::AsIs},
    {"fmReplaceInBook", "txtFound", "Dialog.ReplaceInBook", "TX00",
     "Found %1 times in %2 kerfas. Untick what is to stay.", Form::AsIs},
    {"fmReplaceInBook", "txtReplaced", "Dialog.ReplaceInBook", "TX01",
     "Replaced %1 times in %2 kerfas.", Form::AsIs},
    {"fmReplaceInBook", "txtChanged", "Dialog.ReplaceInBook", "TX02",
     "Changed since the search, so left alone (find again): %1.", Form::AsIs},
    // Word targets and the words written per day.
    {"fmMain", "mnuWordsPerDay", "Targets", "MN00", "Words Per &Day...", Form::AsIs},
    {"fmMain", "pmnuTarget", "Targets", "MN01", "Word Tar&get...", Form::AsIs},
    {"fmTarget", "", "Targets", "TL00", "Word Target", Form::AsIs},
    {"fmDayChart", "", "Targets", "TL01", "Words Per Day", Form::AsIs},
    {"fmTarget", "gbTargets", "Targets", "GB00", " Word Targets ", Form::Padded},
    {"fmProperties", "gbTargets", "Targets", "GB00", " Word Targets ", Form::Padded},
    {"fmTarget", "lblTarget", "Targets", "LB00", "&Kerfa:", Form::Colon},
    {"fmProperties", "lblTarget", "Targets", "LB00", "&Kerfa:", Form::Colon},
    {"fmTarget", "lblChainTarget", "Targets", "LB01", "&Linked Kerfas:", Form::Colon},
    {"fmProperties", "lblChainTarget", "Targets", "LB01", "&Linked Kerfas:", Form::Colon},
    {"fmTarget", "btnOk", "Buttons", "BN00", "&OK", Form::AsIs},
    {"fmTarget", "btnCancel", "Buttons", "BN01", "&Cancel", Form::AsIs},
    {"fmDayChart", "btnClose", "Dialog.Compile", "BN01", "C&lose", Form::AsIs},
    // The recovery window: unsaved text that runs which ended without saving it kept.
    {"fmRecovery", "", "Dialog.Recovery", "TL00", "Recover Unsaved Text", Form::AsIs},
    {"fmRecovery", "btnRestore", "Dialog.Recovery", "BN00", "&Restore", Form::AsIs},
    {"fmRecovery", "btnCopy", "Dialog.Recovery", "BN01", "Copy &Text", Form::AsIs},
    {"fmRecovery", "btnDiscard", "Dialog.Recovery", "BN02", "&Discard", Form::AsIs},
    {"fmRecovery", "btnClose", "Dialog.Recovery", "BN03", "&Close", Form::AsIs},
    {"fmRecovery", "hdrKerfa", "Dialog.Recovery", "HD00", "Kerfa", Form::AsIs},
    {"fmRecovery", "hdrKept", "Dialog.Recovery", "HD01", "Last kept", Form::AsIs},
    {"fmRecovery", "txtEnded", "Dialog.Recovery", "TX00",
     "Kerfa ended without saving the text of these kerfas. Restore puts a text back into its "
     "kerfa's editor, where you can save it; Discard throws it away. What you leave here is "
     "offered again the next time the book is opened.",
     Form::AsIs},
    {"fmRecovery", "txtKept", "Dialog.Recovery", "TX01",
     "Text typed in Kerfa that was never saved, kept when Kerfa ended without saving it. The "
     "text of a book that is no longer where it was is kept for 30 days.",
     Form::AsIs},
    {"fmRecovery", "lblLegend", "Dialog.Recovery", "LB00",
     "Struck through in red: only in the saved file. Underlined in green: only in the unsaved "
     "text.",
     Form::AsIs},
    {"fmRecovery", "txtDamaged", "Dialog.Recovery", "TX02",
     "This copy is damaged: it is shown as far as it could be read. Copy the text to keep it.",
     Form::AsIs},
    {"fmRecovery", "txtSheetGone", "Dialog.Recovery", "TX03",
     "The book has no kerfa of this name any more. Copy the text to keep it.", Form::AsIs},
    {"fmRecovery", "txtOtherBook", "Dialog.Recovery", "TX04",
     "From the book in %1, which is not open. Copy the text to keep it, or open the book.",
     Form::AsIs},
    {"fmRecovery", "txtBookGone", "Dialog.Recovery", "TX05",
     "From a book that is no longer in %1. Copy the text to keep it.", Form::AsIs},
    // Fixed texts: no language file names them.
    {"fmAbout", "", "", "", "About Kerfa", Form::AsIs},
};

template <class Window, class Component> QString componentKey(Window window, Component component) {
    QString key;
    key.append(window);
    key.append(u'.');
    key.append(component);
    return key;
}

QHash<QString, QString> builtInTexts() {
    QHash<QString, QString> texts;
    for (const Captions::Row& row : kRows) {
        const QString key = componentKey(QLatin1String(row.window), QLatin1String(row.component));
        if (!texts.contains(key))
            texts.insert(key, QString::fromUtf8(row.builtIn));
    }
    return texts;
}

QHash<QString, QString>& texts() {
    static QHash<QString, QString> inForce = builtInTexts();
    return inForce;
}

// Section and key names compare without regard to case, as everywhere in INI files.
QString languageKey(QStringView section, QStringView key) {
    return AsciiCase::lower(section) + u'\n' + AsciiCase::lower(key);
}

// The rows a language file's key sets, in table order.
QList<const Captions::Row*> rowsOf(QStringView section, QStringView key) {
    static const QHash<QString, QList<const Captions::Row*>> index = [] {
        QHash<QString, QList<const Captions::Row*>> rows;
        for (const Captions::Row& row : kRows)
            if (*row.section)
                rows[languageKey(QString::fromLatin1(row.section), QString::fromLatin1(row.key))]
                    .append(&row);
        return rows;
    }();
    return index.value(languageKey(section, key));
}

QString written(const QString& value, Form form) {
    switch (form) {
    case Form::KerfaPrefix:
        return QStringLiteral("Kerfa ") + value;
    case Form::Padded:
        return u' ' + value + u' ';
    case Form::Colon:
        return value + u':';
    case Form::AsIs:
        break;
    }
    return value;
}

} // namespace

std::span<const Captions::Row> Captions::rows() {
    return kRows;
}

QString Captions::text(QStringView window, QStringView component) {
    return texts().value(componentKey(window, component));
}

void Captions::setFromLanguage(QStringView section, QStringView key, const QString& value) {
    if (value.isEmpty())
        return;
    for (const Row* row : rowsOf(section, key))
        texts().insert(componentKey(QLatin1String(row->window), QLatin1String(row->component)),
                       written(value, row->form));
}

void Captions::reset() {
    texts() = builtInTexts();
}
