#include "compile/HtmlManuscript.h"

#include "compile/XmlText.h"

#include <QXmlStreamWriter>

namespace {

const char kStyleSheet[] =
    R"(body { font-family: serif; line-height: 1.5; margin: 2em auto; max-width: 40em; }
h1 { break-before: page; page-break-before: always; margin: 2em 0 1em; }
p { margin: 0; white-space: pre-wrap; }
p.description { font-style: italic; margin-bottom: 1em; }
)";

void text(QXmlStreamWriter& xml, QStringView characters) {
    xml.writeCharacters(XmlText::clean(characters));
}

void element(QXmlStreamWriter& xml, const QString& name, QStringView characters) {
    xml.writeStartElement(name);
    text(xml, characters);
    xml.writeEndElement();
}

// The chapter's heading, description and paragraphs.
void writeChapter(QXmlStreamWriter& xml, const Manuscript::Chapter& chapter) {
    element(xml, QStringLiteral("h1"), chapter.title);
    if (!chapter.description.isEmpty()) {
        xml.writeStartElement(QStringLiteral("p"));
        xml.writeAttribute(QStringLiteral("class"), QStringLiteral("description"));
        text(xml, chapter.description);
        xml.writeEndElement();
    }
    for (const QString& paragraph : chapter.paragraphs) {
        xml.writeStartElement(QStringLiteral("p"));
        // An empty paragraph would take no room at all.
        if (paragraph.isEmpty())
            xml.writeEmptyElement(QStringLiteral("br"));
        else
            text(xml, paragraph);
        xml.writeEndElement();
    }
}

} // namespace

QByteArray HtmlManuscript::page(const Manuscript& manuscript) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeDTD(QStringLiteral("<!DOCTYPE html>"));
    xml.writeCharacters(QStringLiteral("\n"));
    xml.writeStartElement(QStringLiteral("html"));
    xml.writeAttribute(QStringLiteral("lang"), manuscript.language);
    xml.writeStartElement(QStringLiteral("head"));
    xml.writeEmptyElement(QStringLiteral("meta"));
    xml.writeAttribute(QStringLiteral("charset"), QStringLiteral("utf-8"));
    element(xml, QStringLiteral("title"), manuscript.title);
    element(xml, QStringLiteral("style"), QString::fromLatin1(kStyleSheet));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("body"));
    for (const Manuscript::Chapter& chapter : manuscript.chapters)
        writeChapter(xml, chapter);
    xml.writeEndElement();
    xml.writeEndElement();
    out.append('\n');
    return out;
}

QByteArray HtmlManuscript::chapterPage(const Manuscript& manuscript,
                                       const Manuscript::Chapter& chapter) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE html>"));
    xml.writeStartElement(QStringLiteral("html"));
    xml.writeAttribute(QStringLiteral("xmlns"), QStringLiteral("http://www.w3.org/1999/xhtml"));
    xml.writeAttribute(QStringLiteral("xmlns:epub"),
                       QStringLiteral("http://www.idpf.org/2007/ops"));
    xml.writeAttribute(QStringLiteral("lang"), manuscript.language);
    xml.writeAttribute(QStringLiteral("xml:lang"), manuscript.language);
    xml.writeStartElement(QStringLiteral("head"));
    element(xml, QStringLiteral("title"), chapter.title);
    xml.writeEmptyElement(QStringLiteral("link"));
    xml.writeAttribute(QStringLiteral("rel"), QStringLiteral("stylesheet"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("text/css"));
    xml.writeAttribute(QStringLiteral("href"), QStringLiteral("style.css"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("body"));
    xml.writeStartElement(QStringLiteral("section"));
    xml.writeAttribute(QStringLiteral("epub:type"), QStringLiteral("chapter"));
    writeChapter(xml, chapter);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QByteArray HtmlManuscript::styleSheet() {
    return QByteArray(kStyleSheet);
}
