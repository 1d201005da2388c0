#pragma once

class QString;

// The sheets' open editor windows, as the project commands need them before the project is
// replaced or the program ends. They live in a folder above this one.
class OpenEditors {
public:
    virtual ~OpenEditors() = default;

    // Whether any sheet's open editor window holds unsaved text.
    virtual bool AnyEditorModified() const = 0;
    // Saves every editor window holding unsaved text to its sheet's text file, then closes it.
    // False when a text could not be saved: its window stays open with the text.
    virtual bool SaveModifiedEditors() = 0;
    // Asks the save question of the sheet's open editor window when it holds unsaved text, as
    // closing the window does. False when the writer cancels, or the text could not be saved.
    virtual bool AskToSaveEditor(const QString& sheetName) = 0;
};
