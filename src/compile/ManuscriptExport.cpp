#include "compile/ManuscriptExport.h"

#include "common/FileWriter.h"
#include "compile/DocxManuscript.h"
#include "compile/EpubManuscript.h"
#include "compile/HtmlManuscript.h"
#include "compile/MarkdownManuscript.h"
#include "compile/OdtManuscript.h"

namespace {

constexpr ManuscriptExport::Format kFormats[] = {
    ManuscriptExport::Format::OpenDocument, ManuscriptExport::Format::Html,
    ManuscriptExport::Format::Markdown,     ManuscriptExport::Format::Epub,
    ManuscriptExport::Format::Word,
};

} // namespace

std::span<const ManuscriptExport::Format> ManuscriptExport::formats() {
    return kFormats;
}

QString ManuscriptExport::suffix(Format format) {
    switch (format) {
    case Format::OpenDocument:
        return QStringLiteral("odt");
    case Format::Html:
        return QStringLiteral("html");
    case Format::Markdown:
        return QStringLiteral("md");
    case Format::Epub:
        return QStringLiteral("epub");
    case Format::Word:
        return QStringLiteral("docx");
    }
    return {};
}

std::optional<ManuscriptExport::Format> ManuscriptExport::formatOfSuffix(QStringView suffix) {
    for (const Format format : kFormats)
        if (suffix.compare(ManuscriptExport::suffix(format), Qt::CaseInsensitive) == 0)
            return format;
    return std::nullopt;
}

std::optional<QByteArray> ManuscriptExport::bytes(const Manuscript& manuscript, Format format,
                                                  const QDateTime& modified) {
    switch (format) {
    case Format::OpenDocument:
        return OdtManuscript::package(manuscript, modified);
    case Format::Html:
        return HtmlManuscript::page(manuscript);
    case Format::Markdown:
        return MarkdownManuscript::document(manuscript);
    case Format::Epub:
        return EpubManuscript::package(manuscript, modified);
    case Format::Word:
        return DocxManuscript::package(manuscript, modified);
    }
    return std::nullopt;
}

bool ManuscriptExport::write(const QString& path, const Manuscript& manuscript, Format format,
                             mode_t mode) {
    const std::optional<QByteArray> file = bytes(manuscript, format, QDateTime::currentDateTime());
    return file && FileWriter::write(path, *file, mode);
}
