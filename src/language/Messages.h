#pragma once

#include <QString>
#include <QStringList>

// The table of message texts every window shows by key. They start as the built-in English
// texts; a language file replaces them by name (its section "Messages") for the rest of the run.
class Messages {
public:
    enum Key {
        AUTOSAVE_ON,
        AUTOSAVE_OFF,
        NEW_KERFA,
        KERFA_PROPERTIES,
        THE_PROJECT,
        REPLACE_ALL,
        ONLY_ONE_FILE,
        ONLY_PROJECTS,
        SAVE_PROJECT,
        SAVE_YOUR_PROJECT,
        SAVE_TEXT_CHANGES,
        KERFAS_DONT_OPEN,
        SAVE_EDITORS,
        NOT_COMPILATION,
        UNIQUE_NAME,
        CANT_HAVE_NAME,
        NOT_TEXT_FILE,
        OVERWRITTEN,
        COMPILATION_OK,
        COMPILATION_NOT_OK,
        NOT_FOUND,
        CANNOT_OPEN_FILE,
        CANNOT_WRITE_FILE,
        SAVE_WINDOW_POS,
        DOES_NOT_EXIST,
        COMBINED_COUNT,
        LINKED_COUNT,
        WORD_COUNT,
        LAST_WORD_COUNT,
        AUTO_CREATING,
        ERROR_READING_FILE,
        ERROR_WRITING_KERFA,
        ERROR_WRITING_PROJECT,
        // Sheet files a load left out, listed after it; the count of files a list leaves out.
        SHEETS_LEFT_OUT,
        NOT_LISTED,
        CREATING_KERFAS,
        NOTHING_TO_PRINT,
        DELETE_KERFA,
        DELETE_TEXT_FILE,
        BACKUP_OK,
        BACKUP_NOT_OK,
        // Kerfa's own files that had no message: the settings, the spelling configuration and
        // the file-type entries. Shown after the file's path in quotes.
        CANNOT_SAVE_FILE,
        // Printing, which had only fixed texts.
        NO_PRINTER,
        NOT_PRINTED,
        // The editor's status line after an automatic save, before the time.
        AUTO_SAVED_AT,
        // An editor window's caption, before its sheet's name in quotes.
        EDITING_KERFA,
        // The kinds of file the open, save and import dialogs offer, before the pattern.
        PROJECT_FILES,
        TEXT_FILES,
        // The export of the compilation as a manuscript for other programs.
        EXPORT_OK,
        EXPORT_NOT_OK,
        // Word targets: the main window's words written today, and an editor's progress toward
        // its sheet's target and its chain's, each before the figures.
        WORDS_TODAY,
        TARGET_WORDS,
        CHAIN_TARGET_WORDS,
        // A file named as a project that is no project, shown after its name in quotes.
        NOT_A_PROJECT,
        // Save As onto a file of the name it completed, shown after that name in quotes.
        REPLACE_FILE,
        // An editor's save when another program changed its text file, and the status line
        // after an editor read its changed file again.
        TEXT_CHANGED_ON_DISK,
        TEXT_RELOADED,
        // A sheet whose text file is a symbolic link, after the sheet's name in quotes.
        LINKED_TEXT_FILE,
        // Recovery copies of unsaved text: the question before one is thrown away, and Help >
        // Recover Unsaved Text... when there is none.
        DISCARD_RECOVERED,
        NO_RECOVERED_TEXT,
        // A word target typed that is no whole number.
        INVALID_TARGET,
        // Take Snapshot: done (before the sheet's name in quotes), or nothing to keep.
        SNAPSHOT_TAKEN,
        SNAPSHOT_EMPTY,
        // Explore, when no program showed the folder (before its path in quotes).
        CANNOT_SHOW_FOLDER,
        Count
    };

    static QString text(Key key);
    // A text followed by a list of what it is about (files, one a line), shortened to the first
    // few with the count of the rest, so that a box stays on the screen.
    static QString listed(const QString& text, const QStringList& items);
    static constexpr qsizetype kListed = 10;
    // The key's name in a language file ("SAVE_PROJECT") and its built-in English text.
    static QString name(Key key);
    static QString builtIn(Key key);

    // A language file's text for the key of that name. An empty text, or a name that is no key,
    // changes nothing.
    static void setFromLanguage(QStringView name, const QString& text);

    // Back to the built-in English texts.
    static void reset();
};
