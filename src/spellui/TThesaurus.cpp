#include "spellui/TThesaurus.h"

#include "common/ProgramFolder.h"
#include "spellui/TPlainTextEditParser.h"
#include "spellui/TThesDialog.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QScreen>

#include <algorithm>

TThesaurus::TThesaurus(QWidget* owner) : owner_(owner) {
    SetFilename(QFile::encodeName(ProgramFolder::sub(QStringLiteral("Thesaurus")) +
                                  QStringLiteral("English-uk.adt"))
                    .toStdString());
}

bool TThesaurus::LookupControl(QPlainTextEdit* memo) {
    TPlainTextEditParser parser(memo);
    return LookupControl(parser);
}

QPoint TThesaurus::PlaceBeside(const QRect& word, const QSize& size, const QRect& screen) {
    constexpr int gap = 8;
    const int x = std::clamp(word.left(), screen.left(),
                             std::max(screen.left(), screen.right() + 1 - size.width()));
    int y = word.bottom() + 1 + gap;
    if (y + size.height() > screen.bottom() + 1)
        y = std::max(screen.top(), word.top() - gap - size.height());
    return {x, y};
}

std::string
TThesaurus::ShowDialog(std::string_view word,
                       const std::optional<kerfa::spelling::TControlParser::ScreenRect>& near) {
    TThesDialog dialog(*this, owner_ ? owner_->window() : nullptr);
    dialog.LookUp(word);
    dialog.adjustSize();
    if (near) {
        const QRect rect(QPoint(near->left, near->top), QPoint(near->right - 1, near->bottom - 1));
        const QScreen* screen = QGuiApplication::screenAt(rect.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            dialog.move(
                PlaceBeside(rect, dialog.frameGeometry().size(), screen->availableGeometry()));
    } else if (owner_) {
        const QRect owner = owner_->window()->frameGeometry();
        dialog.move(owner.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
    return dialog.exec() == QDialog::Accepted ? dialog.Replacement() : std::string();
}

void TThesaurus::ShowBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
