#pragma once
// TSpellChecker: the spelling checker with its dialogs. It shows every word it stops on in the
// spelling dialog of the user interface it is given and, being synchronous by default, returns
// from a check only when the check has ended.

#include "spelling/TSpellCheckerBase.h"
#include "spelling/TSpellCheckerUI.h"

namespace kerfa::spelling {

class TSpellChecker : public TSpellCheckerBase {
public:
    TSpellChecker() { UIType = suiDialog; }
    ~TSpellChecker() override;

    // The interface (not owned); nullptr checks silently.
    void SetUI(TSpellCheckerUI* ui) { ui_ = ui; }
    TSpellCheckerUI* UI() const { return ui_; }

    // Shows the spelling options dialog; the configuration is written when it closes. During
    // a check the word shown is shown again, checked and suggested with the new settings.
    void ShowOptionsDialog();

protected:
    void DoShowDialog() override;
    void DoHideDialog() override;
    bool DoDialogPosition(int& left, int& top) override;
    void DoShowEndMessage(const std::string& text) override;
    bool DoAskYesNo(const std::string& text) override;
    bool DoWaitForAnswer() override;
    void DoWakeUp() override;
    void DoSetBusyCursor(bool busy) override;

private:
    TSpellCheckerUI* ui_ = nullptr;
};

} // namespace kerfa::spelling
