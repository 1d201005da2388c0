#include "compile/EpubManuscript.h"

#include "compile/HtmlManuscript.h"
#include "compile/XmlText.h"
#include "compile/ZipPackage.h"

#include <QXmlStreamWriter>

namespace {

const char kContainer[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">
 <rootfiles>
  <rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/>
 </rootfiles>
</container>
)";

QString chapterId(qsizetype index) {
    return QStringLiteral("chapter-%1").arg(index + 1);
}

QString chapterFile(qsizetype index) {
    return chapterId(index) + QStringLiteral(".xhtml");
}

QByteArray packageDocument(const Manuscript& manuscript, const QDateTime& modified) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("package"));
    xml.writeAttribute(QStringLiteral("xmlns"), QStringLiteral("http://www.idpf.org/2007/opf"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("3.0"));
    xml.writeAttribute(QStringLiteral("unique-identifier"), QStringLiteral("book-id"));
    xml.writeAttribute(QStringLiteral("xml:lang"), manuscript.language);

    xml.writeStartElement(QStringLiteral("metadata"));
    xml.writeAttribute(QStringLiteral("xmlns:dc"),
                       QStringLiteral("http://purl.org/dc/elements/1.1/"));
    xml.writeStartElement(QStringLiteral("dc:identifier"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("book-id"));
    xml.writeCharacters(XmlText::clean(manuscript.identifier));
    xml.writeEndElement();
    xml.writeTextElement(QStringLiteral("dc:title"), XmlText::clean(manuscript.title));
    xml.writeTextElement(QStringLiteral("dc:language"), manuscript.language);
    xml.writeStartElement(QStringLiteral("meta"));
    xml.writeAttribute(QStringLiteral("property"), QStringLiteral("dcterms:modified"));
    xml.writeCharacters(modified.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")));
    xml.writeEndElement();
    xml.writeEndElement();

    const auto item = [&xml](const QString& id, const QString& href, const QString& type) {
        xml.writeEmptyElement(QStringLiteral("item"));
        xml.writeAttribute(QStringLiteral("id"), id);
        xml.writeAttribute(QStringLiteral("href"), href);
        xml.writeAttribute(QStringLiteral("media-type"), type);
    };
    const QString xhtml = QStringLiteral("application/xhtml+xml");
    xml.writeStartElement(QStringLiteral("manifest"));
    item(QStringLiteral("nav"), QStringLiteral("nav.xhtml"), xhtml);
    xml.writeAttribute(QStringLiteral("properties"), QStringLiteral("nav"));
    item(QStringLiteral("style"), QStringLiteral("style.css"), QStringLiteral("text/css"));
    for (qsizetype i = 0; i < manuscript.chapters.size(); ++i)
        item(chapterId(i), chapterFile(i), xhtml);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("spine"));
    for (qsizetype i = 0; i < manuscript.chapters.size(); ++i) {
        xml.writeEmptyElement(QStringLiteral("itemref"));
        xml.writeAttribute(QStringLiteral("idref"), chapterId(i));
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

// The table of contents: one entry per chapter, by its heading.
QByteArray navigation(const Manuscript& manuscript) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE html>"));
    xml.writeStartElement(QStringLiteral("html"));
    xml.writeAttribute(QStringLiteral("xmlns"), QStringLiteral("http://www.w3.org/1999/xhtml"));
    xml.writeAttribute(QStringLiteral("xmlns:epub"),
                       QStringLiteral("http://www.idpf.org/2007/ops"));
    xml.writeAttribute(QStringLiteral("lang"), manuscript.language);
    xml.writeAttribute(QStringLiteral("xml:lang"), manuscript.language);
    xml.writeStartElement(QStringLiteral("head"));
    xml.writeTextElement(QStringLiteral("title"), XmlText::clean(manuscript.title));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("body"));
    xml.writeStartElement(QStringLiteral("nav"));
    xml.writeAttribute(QStringLiteral("epub:type"), QStringLiteral("toc"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("toc"));
    xml.writeTextElement(QStringLiteral("h1"), XmlText::clean(manuscript.title));
    xml.writeStartElement(QStringLiteral("ol"));
    for (qsizetype i = 0; i < manuscript.chapters.size(); ++i) {
        xml.writeStartElement(QStringLiteral("li"));
        xml.writeStartElement(QStringLiteral("a"));
        xml.writeAttribute(QStringLiteral("href"), chapterFile(i));
        xml.writeCharacters(XmlText::clean(manuscript.chapters[i].title));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace

std::optional<QByteArray> EpubManuscript::package(const Manuscript& manuscript,
                                                  const QDateTime& modified) {
    ZipPackage zip(modified);
    // The type first and stored as it is: readers look for it at a fixed place in the file.
    zip.add("mimetype", "application/epub+zip", false);
    zip.add("META-INF/container.xml", kContainer);
    zip.add("OEBPS/content.opf", packageDocument(manuscript, modified));
    zip.add("OEBPS/nav.xhtml", navigation(manuscript));
    zip.add("OEBPS/style.css", HtmlManuscript::styleSheet());
    for (qsizetype i = 0; i < manuscript.chapters.size(); ++i)
        zip.add("OEBPS/" + chapterFile(i).toUtf8(),
                HtmlManuscript::chapterPage(manuscript, manuscript.chapters[i]));
    return zip.bytes();
}
