#pragma once

#include "compile/CompilationFile.h"
#include "compile/ManuscriptExport.h"
#include "language/Messages.h"

#include <QHash>
#include <QObject>
#include <functional>

class CompilationList;
class Desk;
class DeskTheme;
class EditorRegistry;
class TKerfa;
struct ProjectState;

// What fills the compilation list from the desk and turns it into the compilation: Add To
// Compilation and Links To Compilation of the sheet popup, Find & Compile over every sheet's
// text, Create with its messages, and the Compilation sheet put on the desk after a compilation.
// The windows only ask for these and show the list.
class CompileCommands : public QObject {
    Q_OBJECT
public:
    CompileCommands(Desk& desk, DeskTheme& look, EditorRegistry& editors, ProjectState& project,
                    CompilationList& list, QObject* parent = nullptr);

    CompilationList& list() { return m_list; }
    const ProjectState& project() const { return m_project; }
    // Whether a compilation puts the Compilation sheet on the desk when it has none (the
    // "AutoCompKerfa" setting, asked each time).
    void setAutoCreate(std::function<bool()> rule) { m_autoCreate = std::move(rule); }

    // The current sheet joins the list, unless it is the Compilation sheet or its name is there
    // already. False, changing nothing, without a current sheet; the compilation window opens
    // otherwise.
    bool AddToCompilation();
    // The list becomes the chain of linked sheets that starts at the current sheet. False,
    // changing nothing, without a current sheet or for the Compilation sheet.
    bool LinksToCompilation();
    // Every sheet, in desk order, whose text holds the find text joins the list (after the list
    // was emptied, when clearCompilation): the text of its open editor, unsaved changes
    // included, or else its text file. The Compilation sheet never joins. A text file that
    // cannot be read is reported and ends the search. True when any sheet matched.
    bool FindAndCompile(const QString& findText, bool matchCase, bool clearCompilation);

    enum class CreateResult {
        Nothing, // no entry gave anything: nothing written, nothing said
        Created,
        Failed, // reported; the file, the list and the desk are as they were
    };
    // Writes the compilation file from the list and says so; after a compilation the
    // Compilation sheet is put on the desk when the setting asks for it.
    CreateResult Create(CompilationFile::Include include);
    // Writes the list as a manuscript in another format, each sheet a chapter headed by its
    // name, with its description when asked for, and says how it went. The sheets are taken
    // as Create takes them; the Compilation sheet is left out, and so is an entry with neither
    // a sheet on the desk nor files (Nothing when no entry is left).
    CreateResult Export(const QString& path, ManuscriptExport::Format format, bool descriptions);
    // Lays the Compilation sheet on the desk and marks the project changed, unless the setting
    // is off or the desk has one. None when it laid none.
    TKerfa* AutoCreateCompilationSheet();

Q_SIGNALS:
    // The desk or the project's state changed (RefreshWindow).
    void refreshNeeded();

private:
    // The sheets of the desk by name: the first of a name, as the desk's own search finds it.
    QHash<QString, TKerfa*> sheetsByName() const;
    // A sheet's parts as the writer sees them now: the description the desk holds (its file
    // keeps the last saved one) and the text of its open editor, unsaved changes included;
    // from its files otherwise.
    std::optional<CompilationFile::Sheet> sheetParts(const QString& name,
                                                     CompilationFile::Include include,
                                                     const QHash<QString, TKerfa*>& onDesk) const;
    // The message of a compilation or export that failed, naming the sheet whose text is a link
    // when that was the cause.
    QString failure(const QString& unreadSheet, Messages::Key key) const;

    Desk& m_desk;
    DeskTheme& m_look;
    EditorRegistry& m_editors;
    ProjectState& m_project;
    CompilationList& m_list;
    std::function<bool()> m_autoCreate;
};
