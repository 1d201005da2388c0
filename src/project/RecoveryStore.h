#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

// Recovery copies on disk: the unsaved text of a sheet's editor, kept so that a run of Kerfa that
// dies (a crash, a kill, a power cut) loses none of the typing. They live in the user's state
// folder, never in the book's own folder, where a file-sync client would copy them, and only
// their owner may read them:
//
//   $XDG_STATE_HOME/kerfa/recovery/         (~/.local/state/kerfa/recovery/), 0700
//     <book>-<16 hex digits>/               one folder a book, 0700
//       book.ini                            [Book] Folder=: the book's project folder
//       <run>/                              one folder a run of Kerfa that kept copies, 0700
//         <sheet name>.txt                  the sheet's text: UTF-8, CR LF line breaks, 0600
//
// A book is its project folder (where its text files are), made canonical: the hex digits are
// the start of that path's SHA-256, so that two books of one name never share a folder, and
// book.ini settles the rare clash of digits. A running Kerfa holds a lock on each of its run
// folders; one that can be locked belongs to a run that ended without closing its book, and its
// copies are the ones offered back. Everything here is synchronous: RecoveryRun does the writing
// off the keystroke path.
class RecoveryStore {
public:
    struct Copy {
        enum class State { Whole, Damaged };
        QString path;
        QString sheetName;
        // The book's project folder as book.ini names it, with a trailing '/'; empty when
        // book.ini cannot be read.
        QString projectFolder;
        // When the copy was last written.
        QDateTime kept;
        State state = State::Whole;
        // With one "\n" a line break, as an editor holds it; a damaged copy as far as it reads.
        QString text;
    };

    // How a copy is offered in the book now open.
    enum class Offer {
        Restore,   // into its sheet's editor
        SheetGone, // its book is open but has no sheet of that name: text to copy
        Damaged,   // text to copy, as far as it reads
        OtherBook, // another book's: text to copy
    };

    // Copies of a book that no longer exists are kept this long.
    static constexpr int kKeptDays = 30;
    // Larger copies are damaged: the bound of the texts themselves.
    static constexpr qint64 kMaxBytes = 128 * 1024 * 1024;

    // root: the recovery folder, with a trailing '/'.
    explicit RecoveryStore(QString root) : m_root(std::move(root)) {}
    // $XDG_STATE_HOME/kerfa/recovery/, or ~/.local/state/kerfa/recovery/ when that variable is
    // unset or not an absolute path.
    static QString defaultRoot();
    const QString& root() const { return m_root; }

    // The folder, with a trailing '/', made canonical when it exists.
    static QString canonicalFolder(const QString& projectFolder);
    // "<folder name>-<first 16 hex digits of the canonical path's SHA-256>".
    static QString bookKey(const QString& canonicalFolder);
    // The book's folder in the store (with a trailing '/'): the one whose book.ini names the
    // project folder, or else the name a new one takes.
    QString bookFolder(const QString& projectFolder) const;
    // Whether the book still exists: its folder holds a project file.
    static bool bookExists(const QString& projectFolder);

    // The copies that runs which have ended left of the book in projectFolder, or of every book
    // when projectFolder is empty; runs still going (this one included) hold theirs. By book,
    // then sheet name, the newest first.
    QList<Copy> ended(const QString& projectFolder = {}) const;
    // Reads a copy file; damaged when it cannot be read whole, is not UTF-8 or holds a NUL.
    static Copy read(const QString& path);
    static Offer offerFor(const Copy& copy, const QString& openFolder,
                          const std::function<bool(const QString&)>& sheetExists);

    // The recovery folder, made private (0700) when it is missing; false when it cannot be made
    // or is not a folder of this user's own (a link, someone else's), and no copy is kept then.
    bool makeRoot() const;
    // The book's folder, made with its book.ini when missing; empty on failure.
    QString makeBookFolder(const QString& projectFolder) const;
    struct RunFolder {
        QString path; // with a trailing '/'; empty when it could not be made
        int fd = -1;  // holds the folder's lock while open
    };
    // A run's folder, made in the book's folder and locked from the first moment it is seen.
    static RunFolder makeRunFolder(const QString& bookFolder, const QString& runName);
    // Removes a run's folder with everything in it, lets go of its lock, and removes the book's
    // folder when nothing more is left in it.
    static void removeRun(RunFolder& folder);
    // The copy's file in a run folder.
    static QString copyPath(const QString& runFolder, const QString& sheetName);
    // Writes the text as the copy's file, private, through the one save path.
    static bool write(const QString& path, const QString& text);
    // Removes a copy, then its run folder and its book's folder when they hold nothing more.
    static bool discard(const QString& path);
    // Removes the copies of books that no longer exist, kept more than kKeptDays before now,
    // the folders emptied, and what runs killed while making a folder left a day or more ago.
    // How many copies went.
    int prune(const QDateTime& now) const;

    // A run folder's lock: held while the returned descriptor stays open (-1: not taken).
    static int lock(const QString& runFolder);

private:
    QStringList bookFolders() const;
    QString m_root;
};
