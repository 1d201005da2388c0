#pragma once

#include <QRect>
#include <QString>
#include <functional>

class IniFile;

// Kerfa's own settings, kept in "Kerfa.ini" in the program folder and independent of any project.
struct AppSettings {
    enum EditMemory { RememberAll = 0, Single = 1, None = 2 };

    QString language = QStringLiteral("English.ini");
    QString defaultTheme = QStringLiteral("Book.ini");
    bool saveWindowPos = true;
    bool descriptiveHints = false;
    int editMemory = Single;
    bool autoCompKerfa = true;
    bool autoSave = false;
    int autoSaveInterval = 15;
    bool stayOnTop = false;
    QString fontName;
    int fontSize = 11;
    // Unsaved text kept as recovery copies ([Recovery] Enabled).
    bool recovery = true;
    QRect window{50, 50, 700, 500};

    // fontDefault gives the editor font when the file names none; it is asked only then, as
    // looking through the installed fonts is slow.
    void load(const IniFile& file, const std::function<QString()>& fontDefault);
    // Writes every key (the window bounds only when windowBounds is given) and removes the
    // editor font keys of older versions.
    void save(IniFile& file, const QRect* windowBounds) const;

    static QString fileName() { return QStringLiteral("Kerfa.ini"); }
};
