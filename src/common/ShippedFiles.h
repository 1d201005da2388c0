#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Keeps a user's program folder in step with the data an installed Kerfa ships read-only. The
// shipped folder holds a list of its files with their SHA-256 checksums (the form sha256sum
// writes); the user's folder keeps a copy of the list it was last brought in step with, which
// tells a file the user changed from one they did not. Small files are copied, so that the user
// can change them; the large dictionaries and the thesaurus are linked inside real Spelling/ and
// Thesaurus/ folders, where the user's own dictionaries and spelling settings sit beside them.
class ShippedFiles {
public:
    // The name of the list, in the shipped folder and in the user's.
    static const QString kListName;

    // Relative path to checksum (lower-case hex). Lines that do not read, and paths that would
    // leave the folder, are skipped.
    static QMap<QString, QByteArray> parse(const QByteArray& list);
    // Whether a shipped file is linked rather than copied.
    static bool isLinked(const QString& relativePath);

    // Makes the user's folder (both with a trailing "/") on first use, private (0700, its files
    // 0600), and brings it in step:
    // files new in this version are added, files the user left as shipped are updated, files
    // the user changed or removed stay as they are. Returns the first path that could not be
    // written, or an empty string; after a failure the next start tries again.
    static QString update(const QString& shipped, const QString& user);
};
