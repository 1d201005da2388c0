#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The commands that change several files of a book at once: renaming a sheet (its sheet file, its
// text file, its snapshots and the link names in the files of the sheets that link to it),
// deleting one, and putting in place the texts Replace In Book changed. Each first writes a small
// journal into the project folder, through the one save path, saying what it is about to do, and
// removes it when done. Every step may run twice without harm, so that a command cut short by a
// crash, a kill or a power cut is finished when the book is next opened (replay), before its
// sheets are read: the book never shows half of a command.
class BookJournal {
public:
    explicit BookJournal(QString projectFolder) : m_projectFolder(std::move(projectFolder)) {}

    static QString fileName() { return QStringLiteral(".kerfa-journal"); }
    QString path() const { return m_projectFolder + fileName(); }
    // A command was cut short and waits for replay.
    bool pending() const;

    // The sheet's two files take the new name (never over another file), its snapshots follow,
    // and each linking sheet whose file names the old name as its link names the new one; the
    // rest of their files stays as it is. False when a linking sheet's file could not be written.
    bool renameSheet(const QString& from, const QString& to, const QStringList& linkers);
    // The sheet file goes, the text file too when withText; the snapshots go with the text. Each
    // linking sheet whose file names the sheet as its link forgets it. False when a linking
    // sheet's file could not be written.
    bool deleteSheet(const QString& name, bool withText, const QStringList& linkers);

    // Replace In Book writes each changed text beside the sheet's text first (stagedText), between
    // beginTexts and finishTexts, which puts them all in place at once. A command cut short before
    // finishTexts changes no text; one cut short after it changes them all. False from
    // beginTexts when the journal could not be written: no text may then be staged.
    bool beginTexts(const QStringList& sheets);
    QString stagedText(const QString& sheet) const;
    // The sheets whose staged text could not be put in place (their texts stay as they were).
    QStringList finishTexts(const QStringList& staged);

    // Finishes what a command cut short left (or undoes Replace In Book's staging when not every
    // text had been staged), and removes the journal; nothing when there is none.
    void replay();

private:
    bool write(const QJsonObject& entry) const;
    // Carries out an entry's steps; false when a linking sheet's file could not be written.
    bool run(const QJsonObject& entry) const;
    // Syncs the folders the steps changed, then removes the journal.
    void close() const;
    bool relink(const QString& linker, const QString& from, const QString& to) const;
    QStringList putTextsInPlace(const QStringList& sheets) const;
    void dropStagedTexts(const QStringList& sheets) const;

    QString m_projectFolder;
};
