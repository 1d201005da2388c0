#pragma once

#include <QString>

class QWidget;

// The open and save dialogs. Tests install a stand-in that returns scripted paths.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or empty when the user cancelled. The dialog opens in folder, or in the
    // current folder when none is given.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& folder) = 0;
    // Asks before overwriting; appends defaultSuffix when the name has no extension.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix) = 0;
    // An existing folder, or empty when the user cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& title) = 0;

    static FileDialogs& current();
    static void install(FileDialogs* dialogs);
};

class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& folder) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& defaultSuffix) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;
};
