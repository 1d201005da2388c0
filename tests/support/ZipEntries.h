#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// A zip package read back with the zip library: its entries in the order they are stored, with
// their bytes and whether they were compressed. None when the bytes are no zip package.
struct ZipEntries {
    struct Entry {
        QByteArray name;
        QByteArray data;
        bool stored = false; // kept uncompressed
    };
    QList<Entry> entries;

    static std::optional<ZipEntries> read(const QByteArray& bytes);
    // The entry of that name; none when there is none.
    const Entry* find(const QByteArray& name) const;
};
