#pragma once

class QWidget;

// Puts the captions in force (Captions) on a window: its own caption and those of its menus,
// menu items, buttons, check boxes, group boxes, labels and tab pages, found by object name.
// Any window can be given them at any time; components it does not have are passed over.
class FormCaptions {
public:
    static void apply(QWidget* form);
};
