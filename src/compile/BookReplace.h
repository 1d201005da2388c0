#pragma once

#include "compile/BookMatches.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

class Desk;
class EditorRegistry;
struct ProjectState;

// One find and replace over the text of every sheet of the book, the Compilation sheet (the
// compilation's output) aside: what an open editor window holds, unsaved changes included, or
// else the sheet's text file. The search lists every occurrence; the replace changes those the
// writer kept ticked, in the editor where one is open (marked modified, nothing saved) and in
// the file otherwise, after keeping each changed sheet's text as a snapshot, so that every
// sheet can be taken back on its own.
class BookReplace : public QObject {
    Q_OBJECT
public:
    struct Hit {
        QString sheet;
        BookMatches::Match match;
    };
    struct Outcome {
        int replaced = 0;
        int sheets = 0;
        // Sheets whose text changed after the search: left alone, as their occurrences moved.
        QStringList changedSince;
        // Sheets whose text, or snapshot, could not be written: left as they were.
        QStringList failed;
    };

    BookReplace(const ProjectState& project, const Desk& desk, EditorRegistry& editors,
                QObject* parent = nullptr);

    // Searches every sheet in desk order; the hits are listed sheet by sheet, in text order.
    const QList<Hit>& search(const QString& findText, bool matchCase, bool wholeWords);
    const QList<Hit>& hits() const { return m_hits; }
    // How many sheets the hits lie in.
    int sheetsHit() const;

    // Replaces the hits ticked (one flag per hit, in order) with the text; the hits are then
    // spent and cleared.
    Outcome replace(const QList<bool>& ticked, const QString& with);
    // Forgets the hits: another book was opened or made, or the book closed.
    void clear();

Q_SIGNALS:
    void cleared();

private:
    const ProjectState& m_project;
    const Desk& m_desk;
    EditorRegistry& m_editors;
    QList<Hit> m_hits;
    // Each hit sheet's text as searched, with one break per line.
    QHash<QString, QString> m_searched;
    qsizetype m_findLength = 0;
};
