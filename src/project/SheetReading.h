#pragma once

#include "project/SheetRecord.h"

#include <QList>
#include <QStringList>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The reading of the sheet files of a "Kerfa Files/" folder, shared by two threads: a helper
// thread may begin it before the sheets are wanted (the book named on the command line is read
// while the window is built), and the thread that finishes it reads alongside the helper until
// every file is read. Each file is read once, by whichever thread takes it first.
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

    // Reads on the calling thread until every file is read, and returns the sheets in desk order,
    // each named after its file; files whose names are longer than a sheet name may be are passed
    // over. Nothing when a file holds a revision state outside 0 to 5: the project cannot be read
    // then. This thread reports how many of how many files are read before it starts, and again
    // before each file it reads after its first.
    using Progress = std::function<void(qsizetype done, qsizetype total)>;
    std::optional<QList<SheetRecord>> finish(const Progress& progress = {});

    // The number of sheet files in the folder, once it is listed.
    qsizetype fileCount() const { return m_files.size(); }

private:
    enum class Outcome { Skipped, Kept, Refused };

    void list();
    void read(const Progress& progress);
    Outcome readSheet(const QString& file, SheetRecord& record) const;

    QString m_folder;
    std::once_flag m_listed;
    QStringList m_files;
    std::vector<SheetRecord> m_records;
    std::vector<Outcome> m_outcomes;
    std::atomic<std::size_t> m_next = 0;
    std::atomic<qsizetype> m_done = 0;
    std::atomic<bool> m_refused = false;
    std::atomic<bool> m_stop = false;
    std::thread m_helper;
};
