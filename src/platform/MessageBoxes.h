#pragma once

#include <QString>

class QWidget;

// Every modal message box of the program goes through here, never through QMessageBox
// directly, so that tests can install a scripted stand-in that answers without blocking.
class MessageBoxes {
public:
    enum class Kind { Warning, Error, Information, Confirmation };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~MessageBoxes() = default;
    virtual Answer show(Kind kind, const QString& text, Buttons buttons) = 0;
    // A box with a caption of its own (the spelling checker's "Spelling") instead of the
    // application's title.
    virtual Answer showCaptioned(Kind kind, const QString& caption, const QString& text,
                                 Buttons buttons) {
        (void)caption;
        return show(kind, text, buttons);
    }

    // The boxes in force; the Qt ones unless a stand-in was installed.
    static MessageBoxes& current();
    // Installs a stand-in (not owned); nullptr restores the Qt boxes.
    static void install(MessageBoxes* boxes);

    static void information(const QString& text);
    static void warning(const QString& text);
    static void error(const QString& text);
    static Answer confirm(const QString& text, Buttons buttons);
};

// The production boxes: QMessageBox with the application's title and the fixed button sets.
class QtMessageBoxes : public MessageBoxes {
public:
    Answer show(Kind kind, const QString& text, Buttons buttons) override;
    Answer showCaptioned(Kind kind, const QString& caption, const QString& text,
                         Buttons buttons) override;
};
