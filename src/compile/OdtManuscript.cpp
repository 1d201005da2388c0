#include "compile/OdtManuscript.h"

#include "compile/XmlText.h"
#include "compile/ZipPackage.h"

#include <QXmlStreamWriter>

namespace {

const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");

const char kMimeType[] = "application/vnd.oasis.opendocument.text";

const char kManifest[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">
 <manifest:file-entry manifest:full-path="/" manifest:version="1.2" manifest:media-type="application/vnd.oasis.opendocument.text"/>
 <manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
 <manifest:file-entry manifest:full-path="styles.xml" manifest:media-type="text/xml"/>
 <manifest:file-entry manifest:full-path="meta.xml" manifest:media-type="text/xml"/>
</manifest:manifest>
)";

const char kStyles[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-styles xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" office:version="1.2">
 <office:styles>
  <style:style style:name="Standard" style:family="paragraph" style:class="text"/>
  <style:style style:name="Text_20_body" style:display-name="Text body" style:family="paragraph" style:parent-style-name="Standard" style:class="text">
   <style:paragraph-properties fo:margin-top="0cm" fo:margin-bottom="0cm"/>
  </style:style>
  <style:style style:name="Heading_20_1" style:display-name="Heading 1" style:family="paragraph" style:parent-style-name="Standard" style:next-style-name="Text_20_body" style:default-outline-level="1" style:class="text">
   <style:paragraph-properties fo:margin-top="0cm" fo:margin-bottom="0.5cm" fo:break-before="page" fo:keep-with-next="always"/>
   <style:text-properties fo:font-size="18pt" fo:font-weight="bold"/>
  </style:style>
  <style:style style:name="Description" style:family="paragraph" style:parent-style-name="Text_20_body" style:class="text">
   <style:paragraph-properties fo:margin-bottom="0.4cm"/>
   <style:text-properties fo:font-style="italic"/>
  </style:style>
 </office:styles>
</office:document-styles>
)";

// A line's text, its white space kept: a reader of the format folds runs of spaces and drops
// them at either end of a paragraph unless they are written as space elements.
void writeLine(QXmlStreamWriter& xml, const QString& line) {
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty())
            xml.writeCharacters(run);
        run.clear();
    };
    const auto spaces = [&](qsizetype count) {
        flush();
        xml.writeEmptyElement(QStringLiteral("text:s"));
        if (count > 1)
            xml.writeAttribute(QStringLiteral("text:c"), QString::number(count));
    };
    for (qsizetype i = 0; i < line.size();) {
        if (line[i] == u'\t') {
            flush();
            xml.writeEmptyElement(QStringLiteral("text:tab"));
            ++i;
            continue;
        }
        if (line[i] != u' ') {
            run.append(line[i++]);
            continue;
        }
        qsizetype end = i;
        while (end < line.size() && line[end] == u' ')
            ++end;
        const qsizetype count = end - i;
        // One space between words is plain text; any other is written out.
        const bool between =
            i > 0 && end < line.size() && line[i - 1] != u'\t' && line[end] != u'\t';
        if (between) {
            run.append(u' ');
            if (count > 1)
                spaces(count - 1);
        } else {
            spaces(count);
        }
        i = end;
    }
    flush();
}

void paragraph(QXmlStreamWriter& xml, const QString& style, const QString& line) {
    xml.writeStartElement(QStringLiteral("text:p"));
    xml.writeAttribute(QStringLiteral("text:style-name"), style);
    writeLine(xml, XmlText::clean(line));
    xml.writeEndElement();
}

QByteArray meta(const Manuscript& manuscript) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("office:document-meta"));
    xml.writeAttribute(QStringLiteral("xmlns:office"), kOffice);
    xml.writeAttribute(QStringLiteral("xmlns:dc"),
                       QStringLiteral("http://purl.org/dc/elements/1.1/"));
    xml.writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));
    xml.writeStartElement(QStringLiteral("office:meta"));
    xml.writeTextElement(QStringLiteral("dc:title"), XmlText::clean(manuscript.title));
    xml.writeTextElement(QStringLiteral("dc:language"), manuscript.language);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QByteArray content(const Manuscript& manuscript) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("office:document-content"));
    xml.writeAttribute(QStringLiteral("xmlns:office"), kOffice);
    xml.writeAttribute(QStringLiteral("xmlns:text"), kText);
    xml.writeAttribute(QStringLiteral("xmlns:style"), kStyle);
    xml.writeAttribute(QStringLiteral("xmlns:fo"), kFo);
    xml.writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));
    xml.writeStartElement(QStringLiteral("office:body"));
    xml.writeStartElement(QStringLiteral("office:text"));
    for (const Manuscript::Chapter& chapter : manuscript.chapters) {
        xml.writeStartElement(QStringLiteral("text:h"));
        xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("Heading_20_1"));
        xml.writeAttribute(QStringLiteral("text:outline-level"), QStringLiteral("1"));
        writeLine(xml, XmlText::clean(chapter.title));
        xml.writeEndElement();
        if (!chapter.description.isEmpty())
            paragraph(xml, QStringLiteral("Description"), chapter.description);
        for (const QString& line : chapter.paragraphs)
            paragraph(xml, QStringLiteral("Text_20_body"), line);
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace

std::optional<QByteArray> OdtManuscript::package(const Manuscript& manuscript,
                                                 const QDateTime& modified) {
    ZipPackage zip(modified);
    // The type first and stored as it is, where a reader looks for it.
    zip.add("mimetype", kMimeType, false);
    zip.add("META-INF/manifest.xml", kManifest);
    zip.add("content.xml", content(manuscript));
    zip.add("styles.xml", kStyles);
    zip.add("meta.xml", meta(manuscript));
    return zip.bytes();
}
