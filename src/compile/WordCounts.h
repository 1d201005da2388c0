#pragma once

#include <QList>
#include <optional>

class Desk;
class EditorRegistry;
class TKerfa;
class Theme;
struct ProjectState;

// Counting the words of the book: one sheet, the chain of linked sheets that starts at the
// current one, or every sheet of the main type (the theme's first). A sheet with an open editor
// counts from its window, unsaved text included; any other from its text file, by the same rule
// and without a window.
class WordCounts {
public:
    WordCounts(const Desk& desk, const EditorRegistry& editors, const ProjectState& project,
               const Theme& theme);

    // 0 for a sheet without a text file; none, after an error box naming the file, when the
    // file cannot be read.
    std::optional<qint64> countSheet(const TKerfa* sheet) const;
    // The sum over the sheets; none as soon as one cannot be read.
    std::optional<qint64> countSheets(const QList<TKerfa*>& sheets) const;
    // Every sheet of the main type, in desk order.
    std::optional<qint64> countMainType() const;

    // The sheet popup's Word Count: the current sheet's words in a message.
    void showSheetCount() const;
    // The main menu's: the chain from the current sheet when it links to another, the current
    // sheet alone when it does not, every sheet of the main type when there is none.
    void showCount() const;

private:
    const Desk& m_desk;
    const EditorRegistry& m_editors;
    const ProjectState& m_project;
    const Theme& m_theme;
};
