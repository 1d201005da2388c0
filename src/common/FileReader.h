#pragma once

#include "common/WholeFile.h"

#include <QByteArray>
#include <QString>

// Reads whole files for the Qt side of the program, through the one reader every file goes
// through (kerfa::WholeFile): opened without blocking, regular files only, limits checked before
// the bytes are kept.
class FileReader {
public:
    using Limits = kerfa::WholeFile::Limits;
    using Status = kerfa::WholeFile::Status;
    using Links = kerfa::WholeFile::Links;

    // The file's bytes; empty when it is missing, not a regular file, beyond the limits or
    // unreadable (status tells which, when asked).
    static QByteArray read(const QString& path, const Limits& limits = {},
                           Status* status = nullptr);
};
