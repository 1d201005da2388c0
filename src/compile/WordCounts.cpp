#include "compile/WordCounts.h"

#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "editor/WordCount.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/WaitCursor.h"
#include "project/ProjectState.h"
#include "themes/Theme.h"
#include "themes/ThemeData.h"

#include <QFileInfo>

namespace {

// The main sheet type's code: the theme's first type.
constexpr int kMainType = 1;

} // namespace

WordCounts::WordCounts(const Desk& desk, const EditorRegistry& editors, const ProjectState& project,
                       const Theme& theme)
    : m_desk(desk), m_editors(editors), m_project(project), m_theme(theme) {}

std::optional<qint64> WordCounts::countSheet(const TKerfa* sheet) const {
    if (const TfmEditor* editor = m_editors.editorOf(sheet))
        return editor->CountWords();
    const QString path = SheetText::pathOf(m_project.projectFolder, sheet->SheetName);
    const std::optional<qint64> count = SheetText::countWordsInFile(path);
    if (!count)
        MessageBoxes::error(SheetText::isLinked(path)
                                ? SheetText::linkedMessage(path)
                                : u'\'' + QFileInfo(path).fileName() + QStringLiteral("' ") +
                                      Messages::text(Messages::CANNOT_OPEN_FILE));
    return count;
}

std::optional<qint64> WordCounts::countSheets(const QList<TKerfa*>& sheets) const {
    const WaitCursor wait;
    qint64 sum = 0;
    for (const TKerfa* sheet : sheets) {
        const std::optional<qint64> count = countSheet(sheet);
        if (!count)
            return std::nullopt;
        sum += *count;
    }
    return sum;
}

std::optional<qint64> WordCounts::countMainType() const {
    QList<TKerfa*> sheets;
    for (TKerfa* sheet : m_desk.sheets())
        if (sheet->SheetType == kMainType)
            sheets << sheet;
    return countSheets(sheets);
}

void WordCounts::showSheetCount() const {
    const TKerfa* sheet = m_desk.current();
    if (!sheet)
        return;
    const std::optional<qint64> count = countSheets({m_desk.current()});
    if (!count)
        return;
    // The message shows the name as it is: a message box takes no "&" for a shortcut.
    MessageBoxes::information(u'\'' + sheet->SheetName + QStringLiteral("' ") +
                              Messages::text(Messages::WORD_COUNT) + u' ' +
                              WordCount::formatted(*count));
}

void WordCounts::showCount() const {
    TKerfa* current = m_desk.current();
    if (current && !current->LinkTo) {
        showSheetCount();
        return;
    }
    if (current) {
        if (const std::optional<qint64> sum = countSheets(m_desk.chain(current)))
            MessageBoxes::information(Messages::text(Messages::LINKED_COUNT) + u' ' +
                                      WordCount::formatted(*sum));
        return;
    }
    if (m_desk.sheets().isEmpty())
        return;
    if (const std::optional<qint64> sum = countMainType()) {
        QString type = m_theme.data().typeNames.value(0);
        type.remove(u'&');
        MessageBoxes::information(type + u' ' + Messages::text(Messages::COMBINED_COUNT) + u' ' +
                                  WordCount::formatted(*sum));
    }
}
