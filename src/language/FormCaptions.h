#pragma once

class QWidget;

// Puts the captions in force (Captions) on a window: its own caption and those of its menus,
// menu items, buttons, check boxes, group boxes, labels and tab pages, found by object name.
// Any window can be given them at any time; components it does not have are passed over. A
// window given them once takes them again whenever a language file is read (Language::applied),
// so every window follows the language without anyone walking the windows.
class FormCaptions {
public:
    static void apply(QWidget* form);
};
