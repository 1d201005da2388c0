#pragma once
// TThesaurus: the thesaurus component of an editor window. It reads the program's thesaurus,
// "Thesaurus/English-uk.adt" in the program folder, and shows its findings in TThesDialog.
//
// The editor owns one and, for its Thesaurus command, sets the dialog language and calls
// LookupControl with its memo.

#include "spelling/TThesaurusBase.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class QPlainTextEdit;
class QWidget;

class TThesaurus : public kerfa::spelling::TThesaurusBase {
public:
    // The dialog is centred on `owner`'s window when there is no word on screen to keep clear of.
    explicit TThesaurus(QWidget* owner = nullptr);

    using TThesaurusBase::LookupControl;
    // Looks up the word at the memo's cursor (or the next word after white space) and puts the
    // chosen word in its place; the dialog keeps clear of the word. False without a word.
    bool LookupControl(QPlainTextEdit* memo);

    // Where a dialog of `size` goes beside a word on screen: below it, else above it, within
    // the screen's available area.
    static QPoint PlaceBeside(const QRect& word, const QSize& size, const QRect& screen);

protected:
    std::string
    ShowDialog(std::string_view word,
               const std::optional<kerfa::spelling::TControlParser::ScreenRect>& near) override;
    void ShowBusy(bool busy) override;

private:
    QWidget* owner_;
};
