#include "support/ManuscriptReader.h"

#include "support/ZipEntries.h"

#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {

using Format = ManuscriptExport::Format;

// The blocks of an (X)HTML page: h1, p of class description, other p; a br inside an empty
// paragraph is no text.
std::optional<QStringList> readHtml(const QByteArray& page) {
    QXmlStreamReader xml(page);
    QStringList blocks;
    QString* open = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == u"h1") {
                blocks.append(QStringLiteral("h:"));
            } else if (name == u"p") {
                const bool description =
                    xml.attributes().value(QLatin1String("class")) == u"description";
                blocks.append(description ? QStringLiteral("d:") : QStringLiteral("p:"));
            } else {
                continue;
            }
            open = &blocks.last();
        } else if (xml.isEndElement() && (xml.name() == u"h1" || xml.name() == u"p")) {
            open = nullptr;
        } else if (xml.isCharacters() && open) {
            open->append(xml.text());
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return blocks;
}

// content.xml of an OpenDocument text, white space read as the format says: in the text itself
// any run of spaces, tabs and line breaks is one space, and none at either end of a paragraph;
// only text:s and text:tab keep theirs.
std::optional<QStringList> readOdt(const QByteArray& content) {
    QXmlStreamReader xml(content);
    QStringList blocks;
    QString* open = nullptr;
    // A space from the text was the last thing read (or the paragraph has just begun).
    bool afterSpace = false;
    bool trailingSpace = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == u"h" || name == u"p") {
                const QStringView style = xml.attributes().value(QLatin1String("text:style-name"));
                blocks.append(name == u"h"              ? QStringLiteral("h:")
                              : style == u"Description" ? QStringLiteral("d:")
                                                        : QStringLiteral("p:"));
                open = &blocks.last();
                afterSpace = true;
                trailingSpace = false;
            } else if ((name == u"s" || name == u"tab") && open) {
                const QStringView count = xml.attributes().value(QLatin1String("text:c"));
                open->append(name == u"tab" ? QString(u'\t')
                                            : QString(count.isEmpty() ? 1 : count.toInt(), u' '));
                afterSpace = trailingSpace = false;
            }
        } else if (xml.isEndElement() && (xml.name() == u"h" || xml.name() == u"p")) {
            if (open && trailingSpace)
                open->chop(1);
            open = nullptr;
        } else if (xml.isCharacters() && open) {
            for (const QChar c : xml.text()) {
                const bool space = c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
                if (space && afterSpace)
                    continue;
                open->append(space ? QChar(u' ') : c);
                afterSpace = trailingSpace = space;
            }
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return blocks;
}

// word/document.xml: w:p by its style; w:t and w:tab give the text. A w:t without
// xml:space="preserve" loses the spaces at its ends, as word processors read it.
std::optional<QStringList> readDocx(const QByteArray& document) {
    QXmlStreamReader xml(document);
    QStringList blocks;
    bool inText = false;
    bool preserve = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == u"p") {
                blocks.append(QStringLiteral("p:"));
            } else if (name == u"pStyle" && !blocks.isEmpty()) {
                const QStringView style = xml.attributes().value(QLatin1String("w:val"));
                blocks.last().replace(
                    0, 2, style == u"Heading1" ? QStringLiteral("h:") : QStringLiteral("d:"));
            } else if (name == u"tab" && !blocks.isEmpty()) {
                blocks.last().append(u'\t');
            } else if (name == u"t") {
                inText = true;
                preserve = xml.attributes().value(QLatin1String("xml:space")) == u"preserve";
            }
        } else if (xml.isEndElement() && xml.name() == u"t") {
            inText = false;
        } else if (xml.isCharacters() && inText) {
            blocks.last().append(preserve ? xml.text().toString()
                                          : xml.text().trimmed().toString());
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return blocks;
}

// Markdown as the reference renderer turns it into HTML: a heading, a paragraph that is all
// emphasis (the description), other paragraphs; a paragraph of one non-breaking space is an
// empty one. Any other markup is a mark the text should never have turned into. None when the
// renderer cannot be run.
std::optional<QStringList> readMarkdown(const QByteArray& bytes) {
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("cmark"));
    if (renderer.isEmpty())
        return std::nullopt;
    QProcess cmark;
    cmark.start(renderer, {});
    cmark.write(bytes);
    cmark.closeWriteChannel();
    if (!cmark.waitForFinished(60'000) || cmark.exitCode() != 0)
        return std::nullopt;
    QXmlStreamReader xml("<body>" + cmark.readAllStandardOutput() + "</body>");
    QStringList blocks;
    QString* open = nullptr;
    int emphases = 0;
    bool inEmphasis = false;
    bool outside = false; // text outside the emphasis
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.name();
        if (xml.isStartElement() && (name == u"h1" || name == u"p")) {
            blocks.append(name == u"h1" ? QStringLiteral("h:") : QStringLiteral("p:"));
            open = &blocks.last();
            emphases = 0;
            outside = false;
        } else if (xml.isStartElement() && name == u"em" && open) {
            ++emphases;
            inEmphasis = true;
        } else if (xml.isStartElement() && name != u"body") {
            return std::nullopt;
        } else if (xml.isEndElement() && name == u"em") {
            inEmphasis = false;
        } else if (xml.isEndElement() && (name == u"h1" || name == u"p") && open) {
            if (open->startsWith(u'p') && emphases == 1 && !outside)
                open->replace(0, 2, QStringLiteral("d:"));
            if (*open == QStringLiteral("p:\u00a0"))
                open->chop(1);
            open = nullptr;
        } else if (xml.isCharacters() && open) {
            outside = outside || !inEmphasis;
            open->append(xml.text());
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return blocks;
}

// An e-book's chapters in reading order: the container names the package document, whose spine
// lists the pages by the manifest's identifiers.
std::optional<QStringList> readEpub(const ZipEntries& zip) {
    const ZipEntries::Entry* container = zip.find("META-INF/container.xml");
    if (!container)
        return std::nullopt;
    QXmlStreamReader rootfiles(container->data);
    QString packagePath;
    while (!rootfiles.atEnd())
        if (rootfiles.readNext() == QXmlStreamReader::StartElement &&
            rootfiles.name() == u"rootfile")
            packagePath = rootfiles.attributes().value(QLatin1String("full-path")).toString();
    const ZipEntries::Entry* package = zip.find(packagePath.toUtf8());
    if (!package)
        return std::nullopt;
    const QString folder = packagePath.left(packagePath.lastIndexOf(u'/') + 1);
    QXmlStreamReader opf(package->data);
    QHash<QString, QString> manifest;
    QStringList spine;
    while (!opf.atEnd()) {
        opf.readNext();
        if (!opf.isStartElement())
            continue;
        if (opf.name() == u"item")
            manifest.insert(opf.attributes().value(QLatin1String("id")).toString(),
                            folder + opf.attributes().value(QLatin1String("href")).toString());
        else if (opf.name() == u"itemref")
            spine.append(opf.attributes().value(QLatin1String("idref")).toString());
    }
    if (opf.hasError())
        return std::nullopt;
    QStringList blocks;
    for (const QString& id : spine) {
        const ZipEntries::Entry* page = zip.find(manifest.value(id).toUtf8());
        if (!page)
            return std::nullopt;
        const std::optional<QStringList> chapter = readHtml(page->data);
        if (!chapter)
            return std::nullopt;
        blocks += *chapter;
    }
    return blocks;
}

} // namespace

std::optional<QStringList> ManuscriptReader::read(const QByteArray& bytes, Format format) {
    if (format == Format::Html)
        return readHtml(bytes);
    if (format == Format::Markdown)
        return readMarkdown(bytes);
    const std::optional<ZipEntries> zip = ZipEntries::read(bytes);
    if (!zip)
        return std::nullopt;
    if (format == Format::Epub)
        return readEpub(*zip);
    const ZipEntries::Entry* body =
        zip->find(format == Format::Word ? "word/document.xml" : "content.xml");
    if (!body)
        return std::nullopt;
    return format == Format::Word ? readDocx(body->data) : readOdt(body->data);
}

QStringList ManuscriptReader::blocks(const Manuscript& manuscript) {
    QStringList blocks;
    for (const Manuscript::Chapter& chapter : manuscript.chapters) {
        blocks.append(QStringLiteral("h:") + chapter.title);
        if (!chapter.description.isEmpty())
            blocks.append(QStringLiteral("d:") + chapter.description);
        for (const QString& paragraph : chapter.paragraphs)
            blocks.append(QStringLiteral("p:") + paragraph);
    }
    return blocks;
}

bool ManuscriptReader::wellFormed(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}
