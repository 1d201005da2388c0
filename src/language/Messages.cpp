#include "language/Messages.h"

#include "common/AsciiCase.h"

#include <algorithm>
#include <array>

namespace {

// Each text beside the name its key has in a language file.
struct Entry {
    const char* name;
    const char* text;
};

constexpr std::array<Entry, Messages::Count> kBuiltIn = {{
    {"AUTOSAVE_ON", "Auto-save is on"},
    {"AUTOSAVE_OFF", "Auto-save is off"},
    {"NEW_KERFA", "New"},
    {"KERFA_PROPERTIES", "Properties"},
    {"THE_PROJECT", "project."},
    {"REPLACE_ALL", "Replacing all occurrences cannot be undone."},
    {"ONLY_ONE_FILE", "Kerfa opens only one dropped file at a time."},
    {"ONLY_PROJECTS", "Kerfa opens only Kerfa project files."},
    {"SAVE_PROJECT", "Save changes to current project workspace?"},
    {"SAVE_YOUR_PROJECT", "Please save your project before"},
    {"SAVE_TEXT_CHANGES", "Save changes before closing this edit window?"},
    {"KERFAS_DONT_OPEN", "Kerfas only open with a project."},
    {"SAVE_EDITORS", "Save changed contents of open edit windows?"},
    {"NOT_COMPILATION", "The Compilation kerfa cannot be user created."},
    {"UNIQUE_NAME", "Please enter a unique name for the"},
    {"CANT_HAVE_NAME", "A kerfa with that name already exists."},
    {"NOT_TEXT_FILE", "Kerfa imports only plain text files."},
    {"OVERWRITTEN", "The current text will be overwritten."},
    {"COMPILATION_OK", "Compilation file created successfully."},
    {"COMPILATION_NOT_OK", "There was an error creating the Compilation."},
    {"NOT_FOUND", "Cannot find any more instances of"},
    {"CANNOT_OPEN_FILE", "Cannot open - file may be open in another application."},
    {"CANNOT_WRITE_FILE", "Cannot write to the text file."},
    {"SAVE_WINDOW_POS", "Save this edit window position as default?"},
    {"DOES_NOT_EXIST", "file does not exist."},
    {"COMBINED_COUNT", "combined word count is"},
    {"LINKED_COUNT", "Linked word count is"},
    {"WORD_COUNT", "Word count is"},
    {"LAST_WORD_COUNT", "Last word count was"},
    {"AUTO_CREATING", "auto-creating kerfas."},
    {"ERROR_READING_FILE", "Error reading from project or kerfa files."},
    {"ERROR_WRITING_KERFA", "Error writing kerfa file."},
    {"ERROR_WRITING_PROJECT", "Error writing project file."},
    {"SHEETS_LEFT_OUT",
     "The book was opened without these kerfas; their files were left as they are:"},
    {"NOT_LISTED", "More, not listed:"},
    {"CREATING_KERFAS", "creating kerfas."},
    {"NOTHING_TO_PRINT", "There is no content file to print."},
    {"DELETE_KERFA", "Delete kerfa"},
    {"DELETE_TEXT_FILE", "Also delete the text file for"},
    {"BACKUP_OK", "Project backup created successfully."},
    {"BACKUP_NOT_OK", "There was an error creating the backup."},
    {"CANNOT_SAVE_FILE",
     "could not be saved. Check that the disk has room and that the folder can be written to."},
    {"NO_PRINTER", "No printer is installed."},
    {"NOT_PRINTED", "The text could not be printed."},
    {"AUTO_SAVED_AT", "Text auto-saved at"},
    {"EDITING_KERFA", "Editing Kerfa:"},
    {"PROJECT_FILES", "Kerfa Project"},
    {"TEXT_FILES", "Text Files"},
    {"EXPORT_OK", "Manuscript exported successfully."},
    {"EXPORT_NOT_OK", "There was an error exporting the manuscript."},
    {"WORDS_TODAY", "Words written today:"},
    {"TARGET_WORDS", "Target:"},
    {"CHAIN_TARGET_WORDS", "Chain target:"},
    {"NOT_A_PROJECT", "is not a Kerfa project file, or cannot be read."},
    {"REPLACE_FILE", "already exists. Replace it?"},
    {"TEXT_CHANGED_ON_DISK",
     "Another program changed the text file since this window read or saved it. Keep the text of "
     "this window? Yes saves it and keeps the other version as a snapshot; No takes the other "
     "version and keeps the text of this window as a snapshot; Cancel saves nothing."},
    {"TEXT_RELOADED", "Another program changed the text file; it was read again."},
    {"LINKED_TEXT_FILE", "is a kerfa whose text file is a link to a file elsewhere. Links are "
                         "neither read nor written, so this text is left alone."},
    {"DISCARD_RECOVERED", "Throw this unsaved text away? It cannot be brought back."},
    {"NO_RECOVERED_TEXT", "No unsaved text from an earlier run of Kerfa is kept."},
    {"INVALID_TARGET", "A word target is a whole number of words, such as 2000."},
    {"SNAPSHOT_TAKEN", "Snapshot taken of"},
    {"SNAPSHOT_EMPTY", "The text is empty: there is nothing to keep as a snapshot."},
    {"CANNOT_SHOW_FOLDER", "No program could show the folder"},
}};

// Every key has its name and text: a key added without a row would show nothing.
constexpr bool complete() {
    for (const Entry& entry : kBuiltIn)
        if (!entry.name || !entry.text || !*entry.text)
            return false;
    return true;
}
static_assert(complete());

std::array<QString, Messages::Count> builtInTexts() {
    std::array<QString, Messages::Count> texts;
    for (int i = 0; i < Messages::Count; ++i)
        texts[i] = QString::fromUtf8(kBuiltIn[i].text);
    return texts;
}

std::array<QString, Messages::Count>& texts() {
    static std::array<QString, Messages::Count> inForce = builtInTexts();
    return inForce;
}

} // namespace

QString Messages::name(Key key) {
    return key < Count ? QString::fromLatin1(kBuiltIn[key].name) : QString();
}

QString Messages::builtIn(Key key) {
    return key < Count ? QString::fromUtf8(kBuiltIn[key].text) : QString();
}

QString Messages::text(Key key) {
    return key < Count ? texts()[key] : QString();
}

QString Messages::listed(const QString& text, const QStringList& items) {
    QString out = text + u'\n';
    for (qsizetype i = 0; i < std::min(items.size(), kListed); ++i)
        out += u'\n' + items[i];
    if (items.size() > kListed)
        out += u'\n' + Messages::text(NOT_LISTED) + u' ' + QString::number(items.size() - kListed);
    return out;
}

void Messages::setFromLanguage(QStringView name, const QString& text) {
    if (text.isEmpty())
        return;
    // Key names compare without regard to case, as everywhere in INI files.
    for (int i = 0; i < Count; ++i)
        if (AsciiCase::equal(QLatin1StringView(kBuiltIn[i].name), name))
            texts()[i] = text;
}

void Messages::reset() {
    texts() = builtInTexts();
}
