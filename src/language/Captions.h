#pragma once

#include <QString>
#include <span>

// Every caption of the program's windows, keyed by window and component name, with the key a
// language file gives it. One component name can carry different keys in different windows
// (mnuWordCount, pmnuDelete), and one key can set several components (a button shared by two
// dialogs). The texts start as the built-in English ones; a language file replaces them through
// setFromLanguage, and FormCaptions puts them on a window.
class Captions {
public:
    // How a language file's value is written into its component.
    enum class Form {
        AsIs,
        KerfaPrefix, // "Kerfa " + value
        Padded,      // " " + value + " " (group box titles)
        Colon,       // value + ":"
    };

    struct Row {
        const char* window;    // the form's object name
        const char* component; // object name in that form; "" is the window's own caption
        const char* section;   // language file section; "" when no language file sets it
        const char* key;
        const char* builtIn;
        Form form;
    };

    // In the order a language file is read.
    static std::span<const Row> rows();

    // The caption in force for a component of a window ("" for the window's own caption);
    // empty when the table has none.
    static QString text(QStringView window, QStringView component);

    // A language file's value for one key: every component the key names takes it, written as
    // that component's row says. An empty value changes nothing.
    static void setFromLanguage(QStringView section, QStringView key, const QString& value);

    // Back to the built-in English texts.
    static void reset();
};
