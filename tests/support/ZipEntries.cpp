#include "support/ZipEntries.h"

#include <zip.h>

std::optional<ZipEntries> ZipEntries::read(const QByteArray& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    zip_t* archive =
        source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    ZipEntries zip;
    bool whole = true;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count && whole; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        zip_file_t* file = nullptr;
        if (zip_stat_index(archive, index, 0, &stat) != 0 ||
            !(file = zip_fopen_index(archive, index, 0))) {
            whole = false;
            break;
        }
        Entry entry{stat.name, QByteArray(static_cast<qsizetype>(stat.size), '\0'),
                    stat.comp_method == ZIP_CM_STORE};
        whole =
            zip_fread(file, entry.data.data(), stat.size) == static_cast<zip_int64_t>(stat.size);
        zip_fclose(file);
        zip.entries.append(std::move(entry));
    }
    zip_close(archive);
    if (!whole)
        return std::nullopt;
    return zip;
}

const ZipEntries::Entry* ZipEntries::find(const QByteArray& name) const {
    for (const Entry& entry : entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}
