#pragma once

#include "common/FolderSync.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <sys/types.h>

// Saves whole files for the Qt side of the program, through the one save path every file the
// writer cares about goes through (kerfa::AtomicFile): a temporary file beside the target,
// written unbuffered so that a full disk shows at once, synced, renamed over the target, and the
// folder synced. Never writes through a symbolic link: a link, folder, pipe or device at the path
// makes the save fail.
class FileWriter {
public:
    // While a batch lives, the saves of this thread sync each folder once, at its finish(),
    // rather than once per file: for saves of many files at once.
    using Batch = kerfa::FolderSync;

    enum class Access {
        Usual,   // a new file as the umask allows, a replaced one keeps its permissions
        Private, // read and written by its owner alone (0600), new or replaced
    };

    // True when the file now holds bytes; false, with the old file as it was, when it could not
    // be saved.
    static bool write(const QString& path, QByteArrayView bytes, Access access = Access::Usual);
    // As write, the file taking the permission bits given (new or replaced), such as those of
    // the text it is made from; 0 is Access::Usual.
    static bool write(const QString& path, QByteArrayView bytes, mode_t mode);
    // The permission bits of the file at path, not through a link; 0 when there is none.
    static mode_t modeOf(const QString& path);
    // Removes what killed saves left in these folders (only temporary files of the save path's
    // own form that no running save holds). Returns how many were removed.
    static int removeLeftovers(const QStringList& folders);
};
