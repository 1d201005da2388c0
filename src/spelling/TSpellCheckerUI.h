#pragma once
// TSpellCheckerUI: what TSpellChecker needs from a user interface: the spelling dialog, the
// completion message, the question after a selection, a way to wait for the user's answer
// while a synchronous check runs, and the options dialog. The Qt side implements it with
// dialogs and a nested event loop; tests implement it with scripted answers.

#include <string>

namespace kerfa::spelling {

class TSpellChecker;

class TSpellCheckerUI {
public:
    virtual ~TSpellCheckerUI() = default;

    // Shows the dialog (made on first use) on the word the checker is prompting, or with no
    // word yet when the checker shows it before the first one.
    virtual void ShowDialog(TSpellChecker& checker) = 0;
    virtual void HideDialog() = 0;
    // Where the dialog stands; false when it was never placed.
    virtual bool DialogPosition(int& left, int& top) = 0;
    virtual void ShowEndMessage(const std::string& caption, const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
    // Lets the program run until WakeUp; false when it cannot wait here.
    virtual bool WaitForAnswer(TSpellChecker& checker) = 0;
    virtual void WakeUp() = 0;
    virtual void SetBusyCursor(bool /*busy*/) {}
    // Shows the spelling options dialog and returns when it is closed.
    virtual void ShowOptionsDialog(TSpellChecker& /*checker*/) {}
};

} // namespace kerfa::spelling
