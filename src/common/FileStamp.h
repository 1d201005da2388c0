#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// What a file held when the program last read or wrote it: whether it was there, its size, its
// time of last change and a hash of its bytes. Another program that changes the file since (a
// file-sync client, an editor on a second computer) changes its size or time, and then its bytes.
class FileStamp {
public:
    // The file at the path just after these bytes were read from it or written to it; a file
    // that is not there, or is no regular file, is stamped as missing.
    static FileStamp of(const QString& path, QByteArrayView bytes);

    // Whether another program made or changed the file since it was stamped. The same bytes
    // written again are no change; a file removed since is none either (the next save writes it
    // again). A file that cannot be read any more counts as changed.
    bool changedSince(const QString& path, qint64 maxBytes) const;

private:
    bool m_exists = false;
    qint64 m_size = 0;
    qint64 m_changed = 0;
    QByteArray m_hash;
};
