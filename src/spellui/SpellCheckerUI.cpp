#include "spellui/SpellCheckerUI.h"

#include "platform/MessageBoxes.h"
#include "spelling/TSpellChecker.h"
#include "spellui/DialogPlacement.h"
#include "spellui/TPlainTextEditParser.h"
#include "spellui/TSpellCheckConfigDialog.h"
#include "spellui/TSpellDialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QScreen>

using namespace kerfa::spelling;

namespace {

int revisionOf(TSpellChecker& checker) {
    const auto* memo = dynamic_cast<TPlainTextEditParser*>(checker.Adapter());
    return memo && memo->memo() ? memo->memo()->document()->revision() : -1;
}

} // namespace

SpellCheckerUI::SpellCheckerUI(QWidget* owner) : m_owner(owner) {}

SpellCheckerUI::~SpellCheckerUI() {
    SetBusyCursor(false);
    delete m_dialog;
}

void SpellCheckerUI::ShowDialog(TSpellChecker& checker) {
    m_checker = &checker;
    if (!m_dialog) {
        m_dialog = new TSpellDialog(checker, m_owner);
        // Typing in the text while a word is shown moves the check to where the user typed
        // once the dialog is used again.
        connect(m_dialog, &TSpellDialog::activated, this, [this] {
            if (m_checker && m_checker->IsPrompting() && m_revision != revisionOf(*m_checker))
                m_checker->ResumeAfterEdit();
        });
        connect(m_dialog, &TSpellDialog::deactivated, this, &SpellCheckerUI::dialogDeactivated);
    }
    m_dialog->showWord();
    m_revision = revisionOf(checker);
    if (!m_dialog->isVisible()) {
        m_dialog->adjustSize();
        if (!m_placed)
            place(checker);
        m_dialog->show();
    }
    // On every word: keep clear of it.
    if (checker.DialogSelectionAvoid != saNone && checker.Adapter()) {
        const auto r = checker.Adapter()->SelectionRect();
        const QRect word(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
        const QScreen* screen = m_dialog->screen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        const bool upDown = checker.DialogSelectionAvoid == saAvoidUpDown ||
                            checker.DialogSelectionAvoid == saMoveUpDown;
        const QRect moved = DialogPlacement::avoid(m_dialog->frameGeometry(), word, area, upDown);
        if (moved.topLeft() != m_dialog->frameGeometry().topLeft())
            m_dialog->move(moved.topLeft());
    }
    m_dialog->raise();
    m_dialog->activateWindow();
}

void SpellCheckerUI::place(TSpellChecker& checker) {
    m_placed = true;
    const QScreen* screen = m_dialog->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect frame = m_dialog->frameGeometry();
    switch (checker.DialogInitialPos) {
    case ipLastUserPos:
        if (checker.Config().DialogX() >= 0 && checker.Config().DialogY() >= 0) {
            frame.moveTopLeft({checker.Config().DialogX(), checker.Config().DialogY()});
            break;
        }
        [[fallthrough]];
    case ipAvoidControl:
    case ipUnderSelection:
        if (m_owner)
            frame = DialogPlacement::outside(frame, m_owner->frameGeometry(), area);
        break;
    case ipScreenCenter:
    case ipDesktopCenter:
        frame.moveCenter(area.center());
        break;
    case ipUserDefined:
    case ipIgnore:
        return;
    }
    m_dialog->move(frame.topLeft());
}

void SpellCheckerUI::HideDialog() {
    if (m_dialog)
        m_dialog->hide();
}

bool SpellCheckerUI::DialogPosition(int& left, int& top) {
    if (!m_dialog || !m_placed)
        return false;
    left = m_dialog->x();
    top = m_dialog->y();
    return true;
}

void SpellCheckerUI::ShowEndMessage(const std::string& caption, const std::string& text) {
    MessageBoxes::current().showCaptioned(MessageBoxes::Kind::Information,
                                          QString::fromStdString(caption),
                                          QString::fromStdString(text), MessageBoxes::Buttons::Ok);
}

bool SpellCheckerUI::AskYesNo(const std::string& caption, const std::string& text) {
    return MessageBoxes::current().showCaptioned(
               MessageBoxes::Kind::Confirmation, QString::fromStdString(caption),
               QString::fromStdString(text),
               MessageBoxes::Buttons::YesNo) == MessageBoxes::Answer::Yes;
}

bool SpellCheckerUI::WaitForAnswer(TSpellChecker& checker) {
    if (m_loop || !checker.IsPrompting())
        return false;
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    return true;
}

void SpellCheckerUI::WakeUp() {
    if (m_loop)
        m_loop->quit();
}

void SpellCheckerUI::SetBusyCursor(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void SpellCheckerUI::ShowOptionsDialog(TSpellChecker& checker) {
    QWidget* parent = m_dialog && m_dialog->isVisible() ? m_dialog.data() : m_owner.data();
    TSpellCheckConfigDialog dialog(checker, parent);
    dialog.exec();
}
