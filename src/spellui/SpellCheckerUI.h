#pragma once

#include "spelling/TSpellCheckerUI.h"
#include "spellui/TSpellDialog.h"

#include <QObject>
#include <QPointer>

class QEventLoop;
class QWidget;

// The spelling checker's user interface in the program: the spelling dialog (made on first
// use, placed clear of the word it shows), the completion message and the question after a
// selection through the program's message boxes, a nested event loop in which a synchronous
// check waits for the user's answer while the rest of the program goes on, and the spelling
// options dialog, over the spelling dialog when that is shown.
class SpellCheckerUI : public QObject, public kerfa::spelling::TSpellCheckerUI {
    Q_OBJECT
public:
    // `owner`: the window of the checked text, the dialog's parent.
    explicit SpellCheckerUI(QWidget* owner);
    ~SpellCheckerUI() override;

    void ShowDialog(kerfa::spelling::TSpellChecker& checker) override;
    void HideDialog() override;
    bool DialogPosition(int& left, int& top) override;
    void ShowEndMessage(const std::string& caption, const std::string& text) override;
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    bool WaitForAnswer(kerfa::spelling::TSpellChecker& checker) override;
    void WakeUp() override;
    void SetBusyCursor(bool busy) override;
    void ShowOptionsDialog(kerfa::spelling::TSpellChecker& checker) override;

    TSpellDialog* dialog() const { return m_dialog; }

Q_SIGNALS:
    // The dialog stopped being the active window (the editor may then end the check).
    void dialogDeactivated();

private:
    void place(kerfa::spelling::TSpellChecker& checker);

    QPointer<QWidget> m_owner;
    QPointer<TSpellDialog> m_dialog;
    kerfa::spelling::TSpellChecker* m_checker = nullptr;
    QEventLoop* m_loop = nullptr;
    bool m_placed = false;
    bool m_busy = false;
    int m_revision = -1; // of the checked text when the word was shown
};
