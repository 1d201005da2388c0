#include "compile/ZipPackage.h"

#include <zip.h>

ZipPackage::ZipPackage(QDateTime modified) : m_modified(std::move(modified)) {}

void ZipPackage::add(const QByteArray& name, const QByteArray& data, bool compressed) {
    m_entries.append({name, data, compressed});
}

std::optional<QByteArray> ZipPackage::bytes() const {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!buffer)
        return std::nullopt;
    zip_error_init(&error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(buffer);
        return std::nullopt;
    }
    // The archive lets go of the buffer when it is closed; the bytes are read from it after.
    zip_source_keep(buffer);
    const time_t modified = static_cast<time_t>(m_modified.toSecsSinceEpoch());
    bool added = true;
    for (const Entry& entry : m_entries) {
        // The entries' data live as long as this package, past the close that reads them.
        zip_source_t* data = zip_source_buffer(archive, entry.data.constData(),
                                               static_cast<zip_uint64_t>(entry.data.size()), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, entry.name.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(data);
            added = false;
            break;
        }
        const auto at = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(archive, at, entry.compressed ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                     0) != 0 ||
            zip_file_set_mtime(archive, at, modified, 0) != 0) {
            added = false;
            break;
        }
    }
    if (!added || zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(buffer);
        return std::nullopt;
    }

    std::optional<QByteArray> out;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        zip_source_open(buffer) == 0) {
        QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        if (zip_source_read(buffer, bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size))
            out = std::move(bytes);
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return out;
}
