#pragma once

#include "project/SheetRecord.h"

#include <QList>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The reading of the sheet files of a "Kerfa Files/" folder, shared by two threads: a helper
// thread may begin it before the sheets are wanted (the book named on the command line is read
// while the window is built), and the thread that finishes it takes the sheets in desk order as
// they are read, reading alongside the helper whenever the next one is not read yet. Each file is
// read once, by whichever thread takes it first.
class SheetReading {
public:
    explicit SheetReading(QString sheetFolder);
    // Stops the helper after the file it is reading and waits for it.
    ~SheetReading();
    SheetReading(const SheetReading&) = delete;
    SheetReading& operator=(const SheetReading&) = delete;

    const QString& sheetFolder() const { return m_folder; }

    // A thread of its own lists the folder and reads from the first file on, after doing `first`
    // when it is given.
    void startHelper(std::function<void()> first = {});

    // From this many files on, a helper reads too when none was started before.
    static constexpr qsizetype kReadInTwoFrom = 256;

    // Hands each sheet to `take` in desk order, named after its file, as soon as it and every
    // sheet before it are read, and reads on the calling thread alongside the helper while the
    // next sheet is not read yet: the sheets are laid on the desk while the rest are read. Files
    // whose names are longer than a sheet name may be are passed over. A file that cannot be read
    // (missing by now, unreadable, beyond the reader's limits, or holding a revision state outside
    // 0 to 5) is left out, and named by unreadable() afterwards: one bad file never keeps the
    // rest of the book shut. This thread reports how many of how many files are read before it
    // starts, and again before each file it reads after its first.
    using Progress = std::function<void(qsizetype done, qsizetype total)>;
    using Take = std::function<void(SheetRecord&& record)>;
    void deliver(const Take& take, const Progress& progress = {});
    // All the sheets at once, as deliver() hands them over.
    QList<SheetRecord> finish(const Progress& progress = {});
    // The names of the files deliver() left out as unreadable, in desk order.
    const QStringList& unreadable() const { return m_unreadable; }

    // The number of sheet files in the folder, once it is listed.
    qsizetype fileCount() const { return m_files.size(); }
    // The number of files read so far, by either thread.
    qsizetype readCount() const { return m_done.load(); }

private:
    enum class Outcome { Pending, Skipped, Kept, Unreadable };

    void list();
    // Reads the first file no thread has taken yet; false when every file is taken. `first`
    // tells whether this thread has read a file yet (its first goes unreported).
    bool readNext(const Progress& progress, bool& first);
    Outcome readSheet(const QString& file, SheetRecord& record) const;

    QString m_folder;
    std::once_flag m_listed;
    QStringList m_files;
    std::vector<SheetRecord> m_records;
    // Pending until its record is complete: the thread handing the records over waits on it.
    std::unique_ptr<std::atomic<Outcome>[]> m_outcomes;
    std::atomic<std::size_t> m_next = 0;
    std::atomic<qsizetype> m_done = 0;
    std::atomic<bool> m_stop = false;
    std::thread m_helper;
    QStringList m_unreadable;
};
