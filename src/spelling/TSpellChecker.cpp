#include "spelling/TSpellChecker.h"

namespace kerfa::spelling {

TSpellChecker::~TSpellChecker() {
    EndCheck(true);
}

void TSpellChecker::ShowOptionsDialog() {
    if (!ui_)
        return;
    Config();
    ui_->ShowOptionsDialog(*this);
    SaveConfig();
    RefreshDictionaries();
    if (IsPrompting())
        DoShowDialog();
}

void TSpellChecker::DoShowDialog() {
    if (ui_)
        ui_->ShowDialog(*this);
}

void TSpellChecker::DoHideDialog() {
    if (ui_)
        ui_->HideDialog();
}

bool TSpellChecker::DoDialogPosition(int& left, int& top) {
    return ui_ && ui_->DialogPosition(left, top);
}

void TSpellChecker::DoShowEndMessage(const std::string& text) {
    if (ui_)
        ui_->ShowEndMessage(GetString(lsSpelling), text);
}

bool TSpellChecker::DoAskYesNo(const std::string& text) {
    return ui_ && ui_->AskYesNo(GetString(lsSpelling), text);
}

bool TSpellChecker::DoWaitForAnswer() {
    return SynchronousCheck && ui_ && ui_->WaitForAnswer(*this);
}

void TSpellChecker::DoWakeUp() {
    if (ui_)
        ui_->WakeUp();
}

void TSpellChecker::DoSetBusyCursor(bool busy) {
    if (ui_)
        ui_->SetBusyCursor(busy);
}

} // namespace kerfa::spelling
