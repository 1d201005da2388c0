#pragma once

#include "platform/MenuTable.h"

#include <span>

class TfmEditor;

// What the rules that enable an editor window's commands look at.
struct EditorState {
    bool modified = false;
    bool hasText = false;
    bool canUndo = false;
    bool hasSelection = false;
    bool clipboardHasText = false;
    // The window-positioning mode is Single.
    bool single = false;
    // False when the sheet's text file could not be read: nothing may then replace it.
    bool writable = true;
};

// An editor window's menu bar and the memo's popup menu, from the one table of its commands.
class EditorMenus : public MenuTable<TfmEditor, EditorState> {
public:
    // In menu order.
    static std::span<const Row> rows();

    explicit EditorMenus(TfmEditor& window);
};
