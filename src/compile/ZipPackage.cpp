#include "compile/ZipPackage.h"

#include "common/LateLibrary.h"

#include <zip.h>

namespace {

// libzip, with the crypto library it pulls in, is opened when a package is first written: linked,
// it made every start of the program look up some 4,000 symbols that only exports use.
struct Zip {
    decltype(zip_error_init)* error_init;
    decltype(zip_error_fini)* error_fini;
    decltype(zip_source_buffer_create)* source_buffer_create;
    decltype(zip_open_from_source)* open_from_source;
    decltype(zip_source_free)* source_free;
    decltype(zip_source_keep)* source_keep;
    decltype(zip_source_buffer)* source_buffer;
    decltype(zip_file_add)* file_add;
    decltype(zip_set_file_compression)* set_file_compression;
    decltype(zip_file_set_mtime)* file_set_mtime;
    decltype(zip_close)* close;
    decltype(zip_discard)* discard;
    decltype(zip_stat_init)* stat_init;
    decltype(zip_source_stat)* source_stat;
    decltype(zip_source_open)* source_open;
    decltype(zip_source_read)* source_read;
    decltype(zip_source_close)* source_close;
};

// Null when the library or any of its functions is missing.
const Zip* zipLibrary() {
    static LateLibrary library(KERFA_LIBZIP_SONAME);
    static Zip zip;
    static const bool bound = library.bind(zip.error_init, "zip_error_init") &&
                              library.bind(zip.error_fini, "zip_error_fini") &&
                              library.bind(zip.source_buffer_create, "zip_source_buffer_create") &&
                              library.bind(zip.open_from_source, "zip_open_from_source") &&
                              library.bind(zip.source_free, "zip_source_free") &&
                              library.bind(zip.source_keep, "zip_source_keep") &&
                              library.bind(zip.source_buffer, "zip_source_buffer") &&
                              library.bind(zip.file_add, "zip_file_add") &&
                              library.bind(zip.set_file_compression, "zip_set_file_compression") &&
                              library.bind(zip.file_set_mtime, "zip_file_set_mtime") &&
                              library.bind(zip.close, "zip_close") &&
                              library.bind(zip.discard, "zip_discard") &&
                              library.bind(zip.stat_init, "zip_stat_init") &&
                              library.bind(zip.source_stat, "zip_source_stat") &&
                              library.bind(zip.source_open, "zip_source_open") &&
                              library.bind(zip.source_read, "zip_source_read") &&
                              library.bind(zip.source_close, "zip_source_close");
    return bound ? &zip : nullptr;
}

} // namespace

ZipPackage::ZipPackage(QDateTime modified) : m_modified(std::move(modified)) {}

void ZipPackage::add(const QByteArray& name, const QByteArray& data, bool compressed) {
    m_entries.append({name, data, compressed});
}

std::optional<QByteArray> ZipPackage::bytes() const {
    const Zip* zip = zipLibrary();
    if (!zip)
        return std::nullopt;
    zip_error_t error;
    zip->error_init(&error);
    zip_source_t* buffer = zip->source_buffer_create(nullptr, 0, 0, &error);
    zip->error_fini(&error);
    if (!buffer)
        return std::nullopt;
    zip->error_init(&error);
    zip_t* archive = zip->open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip->error_fini(&error);
    if (!archive) {
        zip->source_free(buffer);
        return std::nullopt;
    }
    // The archive lets go of the buffer when it is closed; the bytes are read from it after.
    zip->source_keep(buffer);
    const time_t modified = static_cast<time_t>(m_modified.toSecsSinceEpoch());
    bool added = true;
    for (const Entry& entry : m_entries) {
        // The entries' data live as long as this package, past the close that reads them.
        zip_source_t* data = zip->source_buffer(archive, entry.data.constData(),
                                                static_cast<zip_uint64_t>(entry.data.size()), 0);
        const zip_int64_t index =
            data ? zip->file_add(archive, entry.name.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip->source_free(data);
            added = false;
            break;
        }
        const auto at = static_cast<zip_uint64_t>(index);
        if (zip->set_file_compression(archive, at, entry.compressed ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                      0) != 0 ||
            zip->file_set_mtime(archive, at, modified, 0) != 0) {
            added = false;
            break;
        }
    }
    if (!added || zip->close(archive) != 0) {
        zip->discard(archive);
        zip->source_free(buffer);
        return std::nullopt;
    }

    std::optional<QByteArray> out;
    zip_stat_t stat;
    zip->stat_init(&stat);
    if (zip->source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        zip->source_open(buffer) == 0) {
        QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        if (zip->source_read(buffer, bytes.data(), stat.size) ==
            static_cast<zip_int64_t>(stat.size))
            out = std::move(bytes);
        zip->source_close(buffer);
    }
    zip->source_free(buffer);
    return out;
}
