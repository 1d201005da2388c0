#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <optional>

// A zip package built in memory, entry by entry in the order given, so that the file can then be
// saved whole through the one save path. E-books and word-processor documents are such packages;
// their first entry often has to be stored uncompressed so that its type can be read at a fixed
// place in the file.
class ZipPackage {
public:
    explicit ZipPackage(QDateTime modified = QDateTime::currentDateTime());

    void add(const QByteArray& name, const QByteArray& data, bool compressed = true);
    // The package's bytes; none when the zip library failed.
    std::optional<QByteArray> bytes() const;

private:
    struct Entry {
        QByteArray name;
        QByteArray data;
        bool compressed;
    };
    QDateTime m_modified;
    QList<Entry> m_entries;
};
