#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Earlier versions of a sheet's text, kept as plain text files in "Snapshots/<sheet name>/" of
// the project folder, one file a snapshot, named by the local time it was taken
// ("2026-03-01 14.05.09.250.txt"), so the folder reads in order in any file browser. They are
// written through the program's one save path, in UTF-8 with CR LF line breaks like the texts
// themselves, move with a renamed sheet and go with a deleted one.
class SnapshotStore {
public:
    struct Entry {
        QString path;
        QDateTime taken;
    };

    explicit SnapshotStore(QString projectFolder) : m_projectFolder(std::move(projectFolder)) {}

    static QString folderName() { return QStringLiteral("Snapshots"); }
    QString folderOf(const QString& sheetName) const;

    // The sheet's snapshots, newest first. Files of other names in its folder are not snapshots.
    QList<Entry> list(const QString& sheetName) const;
    // Keeps the text as a snapshot taken at the given time (a later free moment when a snapshot
    // of that moment exists), with the permissions of the sheet's text file when there is one.
    // Its path, or none when it could not be written.
    std::optional<QString> take(const QString& sheetName, const QString& text,
                                const QDateTime& when = QDateTime::currentDateTime()) const;
    // The day's first snapshot of a sheet: its text file as saved, unless the sheet has a
    // snapshot of that day already or its text file is missing or empty (NotNeeded then).
    enum class Daily { NotNeeded, Taken, Failed };
    Daily takeDaily(const QString& sheetName,
                    const QDateTime& now = QDateTime::currentDateTime()) const;
    // A snapshot's text, line breaks CR LF; none when it cannot be read.
    static std::optional<QString> read(const QString& path);

    // The snapshots follow their sheet to its new name. Those of a folder already there (left by
    // a deleted sheet of that name whose text was kept) stay beside them.
    void renameSheet(const QString& oldName, const QString& newName) const;
    // The sheet's snapshots go.
    void removeSheet(const QString& sheetName) const;

private:
    QString m_projectFolder;
};
