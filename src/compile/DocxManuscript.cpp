#include "compile/DocxManuscript.h"

#include "compile/XmlText.h"
#include "compile/ZipPackage.h"

#include <QXmlStreamWriter>

namespace {

const QString kMain =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

const char kContentTypes[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>
<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>
</Types>
)";

const char kPackageRelationships[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>
</Relationships>
)";

const char kDocumentRelationships[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
</Relationships>
)";

const char kStyles[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">
<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val="24"/></w:rPr></w:rPrDefault></w:docDefaults>
<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style>
<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:qFormat/><w:pPr><w:keepNext/><w:pageBreakBefore/><w:spacing w:after="240"/><w:outlineLvl w:val="0"/></w:pPr><w:rPr><w:b/><w:sz w:val="36"/></w:rPr></w:style>
<w:style w:type="paragraph" w:customStyle="1" w:styleId="Description"><w:name w:val="Description"/><w:basedOn w:val="Normal"/><w:pPr><w:spacing w:after="240"/></w:pPr><w:rPr><w:i/></w:rPr></w:style>
</w:styles>
)";

// A paragraph of one run: its text in pieces between the tabs, every space kept.
void paragraph(QXmlStreamWriter& xml, const QString& style, const QString& line) {
    xml.writeStartElement(QStringLiteral("w:p"));
    if (!style.isEmpty()) {
        xml.writeStartElement(QStringLiteral("w:pPr"));
        xml.writeEmptyElement(QStringLiteral("w:pStyle"));
        xml.writeAttribute(QStringLiteral("w:val"), style);
        xml.writeEndElement();
    }
    const QString text = XmlText::clean(line);
    if (!text.isEmpty()) {
        xml.writeStartElement(QStringLiteral("w:r"));
        const QStringList pieces = text.split(u'\t');
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                xml.writeEmptyElement(QStringLiteral("w:tab"));
            if (pieces[i].isEmpty())
                continue;
            xml.writeStartElement(QStringLiteral("w:t"));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeCharacters(pieces[i]);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

QByteArray document(const Manuscript& manuscript) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("w:document"));
    xml.writeAttribute(QStringLiteral("xmlns:w"), kMain);
    xml.writeStartElement(QStringLiteral("w:body"));
    for (const Manuscript::Chapter& chapter : manuscript.chapters) {
        paragraph(xml, QStringLiteral("Heading1"), chapter.title);
        if (!chapter.description.isEmpty())
            paragraph(xml, QStringLiteral("Description"), chapter.description);
        for (const QString& line : chapter.paragraphs)
            paragraph(xml, {}, line);
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QByteArray coreProperties(const Manuscript& manuscript) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("cp:coreProperties"));
    xml.writeAttribute(
        QStringLiteral("xmlns:cp"),
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties"));
    xml.writeAttribute(QStringLiteral("xmlns:dc"),
                       QStringLiteral("http://purl.org/dc/elements/1.1/"));
    xml.writeTextElement(QStringLiteral("dc:title"), XmlText::clean(manuscript.title));
    xml.writeTextElement(QStringLiteral("dc:language"), manuscript.language);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace

std::optional<QByteArray> DocxManuscript::package(const Manuscript& manuscript,
                                                  const QDateTime& modified) {
    ZipPackage zip(modified);
    zip.add("[Content_Types].xml", kContentTypes);
    zip.add("_rels/.rels", kPackageRelationships);
    zip.add("word/document.xml", document(manuscript));
    zip.add("word/_rels/document.xml.rels", kDocumentRelationships);
    zip.add("word/styles.xml", kStyles);
    zip.add("docProps/core.xml", coreProperties(manuscript));
    return zip.bytes();
}
