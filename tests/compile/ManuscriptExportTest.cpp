#include "compile/ManuscriptExport.h"
#include "compile/Manuscript.h"
#include "compile/MarkdownManuscript.h"
#include "support/ManuscriptReader.h"
#include "support/ZipEntries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

using Format = ManuscriptExport::Format;

const QDateTime kModified(QDate(2026, 3, 14), QTime(9, 26, 53), Qt::UTC);

// Lines that break a careless writer: accented letters, both kinds of quotes, the characters
// markup gives a meaning to, white space a reader would fold, and what starts a Markdown block.
const QStringList kTrickyLines = {
    QStringLiteral("Élodie ôta ses gants — «Non», dit-elle, “pas ce soir”."),
    QStringLiteral("She said \"no\" & he said 'yes' <quietly>."),
    QStringLiteral("# not a heading"),
    QStringLiteral("1. not a list, nor 2) this"),
    QStringLiteral("> not a quotation"),
    QStringLiteral("- not an item"),
    QStringLiteral("*not emphasis* and _not this_ and `not code` and [not](a link) \\ ~~no~~"),
    QStringLiteral("    four spaces are not code"),
    QStringLiteral("\tA tab, then  two spaces,   three, and one at the end "),
    QStringLiteral("==="),
    QStringLiteral("&amp; stays as typed, and so does &nbsp;"),
    QStringLiteral("Emoji and CJK: 😀 漢字"),
};

Manuscript book() {
    Manuscript manuscript;
    manuscript.title = QStringLiteral("L'Été & \"Nous\"");
    manuscript.identifier = QStringLiteral("urn:uuid:5d0b7a62-93c4-4f0e-b1a8-2f61c9e47d3a");
    QStringList first = kTrickyLines;
    first.insert(3, QString());
    first.insert(4, QString());
    manuscript.chapters.append({QStringLiteral("Chapitre un — «Été»"),
                                QStringLiteral("Où l'on \"arrive\" <enfin> & *vite*"), first});
    manuscript.chapters.append({QStringLiteral("Empty"), {}, {}});
    // About 1 MB of text in one chapter.
    QStringList large;
    for (qsizetype i = 0, size = 0; size < 1'050'000; ++i) {
        large.append(kTrickyLines[i % kTrickyLines.size()] + u' ' + QString::number(i));
        size += large.last().toUtf8().size() + 1;
    }
    large[500] = QString();
    manuscript.chapters.append({QStringLiteral("# The long one *"), QStringLiteral("Long"), large});
    return manuscript;
}

struct FormatCase {
    Format format;
    const char* name;
};

const FormatCase kFormats[] = {
    {Format::OpenDocument, "OpenDocument"},
    {Format::Html, "Html"},
    {Format::Markdown, "Markdown"},
    {Format::Epub, "Epub"},
    {Format::Word, "Word"},
};

class EveryFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(EveryFormat, ReadsBackWithTheSameText) {
    const Manuscript manuscript = book();
    qsizetype size = 0;
    for (const QString& line : manuscript.chapters[2].paragraphs)
        size += line.toUtf8().size() + 1;
    ASSERT_GT(size, 1'000'000);
    const std::optional<QByteArray> bytes =
        ManuscriptExport::bytes(manuscript, GetParam().format, kModified);
    ASSERT_TRUE(bytes);
    const std::optional<QStringList> read = ManuscriptReader::read(*bytes, GetParam().format);
    ASSERT_TRUE(read);
    const QStringList expected = ManuscriptReader::blocks(manuscript);
    ASSERT_EQ(read->size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        ASSERT_EQ((*read)[i].toStdString(), expected[i].toStdString()) << "block " << i;
}

TEST_P(EveryFormat, LeavesOutWhatXmlCannotHold) {
    // Control characters pasted into a sheet would make every XML reader refuse the file.
    Manuscript manuscript;
    manuscript.title = QStringLiteral("Book\x01");
    manuscript.chapters.append({QStringLiteral("One\x0C"),
                                QStringLiteral("Desc\x02"),
                                {QStringLiteral("Page\x0C"
                                                "break"),
                                 QStringLiteral("Bell\x07!")}});
    const std::optional<QByteArray> bytes =
        ManuscriptExport::bytes(manuscript, GetParam().format, kModified);
    ASSERT_TRUE(bytes);
    const std::optional<QStringList> read = ManuscriptReader::read(*bytes, GetParam().format);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (QStringList{"h:One", "d:Desc", "p:Pagebreak", "p:Bell!"}));
}

TEST_P(EveryFormat, IsWrittenWholeOverAnEarlierExport) {
    const QTemporaryDir dir;
    const QString path =
        dir.filePath(QStringLiteral("book.") + ManuscriptExport::suffix(GetParam().format));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(200'000, 'x'));
    old.close();
    Manuscript manuscript;
    manuscript.chapters.append({QStringLiteral("One"), {}, {QStringLiteral("Short.")}});
    ASSERT_TRUE(ManuscriptExport::write(path, manuscript, GetParam().format));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const std::optional<QStringList> read =
        ManuscriptReader::read(written.readAll(), GetParam().format);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (QStringList{"h:One", "p:Short."}));
    // Nothing is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_P(EveryFormat, ThatCannotBeWrittenLeavesNoFile) {
    const QTemporaryDir dir;
    // A folder that is a regular file: no permission bits involved, so root fails too.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath(QStringLiteral("file/book.out"));
    Manuscript manuscript;
    manuscript.chapters.append({QStringLiteral("One"), {}, {QStringLiteral("Text.")}});
    EXPECT_FALSE(ManuscriptExport::write(path, manuscript, GetParam().format));
    EXPECT_FALSE(QFile::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<FormatCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(EpubPackage, PassesTheStructuralCheck) {
    const std::optional<QByteArray> bytes =
        ManuscriptExport::bytes(book(), Format::Epub, kModified);
    ASSERT_TRUE(bytes);
    // The type first, stored, with no extra field: its text at byte 38 of the file.
    EXPECT_EQ(bytes->mid(30, 8), QByteArray("mimetype"));
    EXPECT_EQ(bytes->mid(28, 2), QByteArray(2, '\0'));
    EXPECT_EQ(bytes->mid(38, 20), QByteArray("application/epub+zip"));
    const std::optional<ZipEntries> zip = ZipEntries::read(*bytes);
    ASSERT_TRUE(zip);
    ASSERT_FALSE(zip->entries.isEmpty());
    EXPECT_EQ(zip->entries.front().name, QByteArray("mimetype"));
    EXPECT_TRUE(zip->entries.front().stored);
    EXPECT_EQ(zip->entries.front().data, QByteArray("application/epub+zip"));
    // Every XML part is well-formed.
    for (const ZipEntries::Entry& entry : zip->entries) {
        if (entry.name.endsWith(".xml") || entry.name.endsWith(".opf") ||
            entry.name.endsWith(".xhtml")) {
            EXPECT_TRUE(ManuscriptReader::wellFormed(entry.data)) << entry.name.constData();
        }
    }

    const ZipEntries::Entry* container = zip->find("META-INF/container.xml");
    ASSERT_TRUE(container);
    QXmlStreamReader rootfile(container->data);
    QString packagePath;
    while (!rootfile.atEnd())
        if (rootfile.readNext() == QXmlStreamReader::StartElement && rootfile.name() == u"rootfile")
            packagePath = rootfile.attributes().value(QLatin1String("full-path")).toString();
    const ZipEntries::Entry* package = zip->find(packagePath.toUtf8());
    ASSERT_TRUE(package) << packagePath.toStdString();

    // The package document: version 3, the identifier it names, title, language, modified
    // time; a navigation document; every spine item in the manifest and in the package.
    QXmlStreamReader opf(package->data);
    QHash<QString, QString> manifest;
    QStringList spine;
    QString uniqueId, identifierId, modified, navigation;
    QStringList metadata;
    while (!opf.atEnd()) {
        if (opf.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attribute = [&opf](const char* name) {
            return opf.attributes().value(QLatin1String(name)).toString();
        };
        if (opf.name() == u"package") {
            EXPECT_EQ(attribute("version"), QStringLiteral("3.0"));
            EXPECT_EQ(opf.namespaceUri(), QStringLiteral("http://www.idpf.org/2007/opf"));
            uniqueId = attribute("unique-identifier");
        } else if (opf.name() == u"identifier") {
            identifierId = attribute("id");
            metadata.append(QStringLiteral("identifier"));
        } else if (opf.name() == u"title" || opf.name() == u"language") {
            metadata.append(opf.name().toString());
        } else if (opf.name() == u"meta" && attribute("property") == u"dcterms:modified") {
            modified = opf.readElementText();
        } else if (opf.name() == u"item") {
            manifest.insert(attribute("id"), attribute("href"));
            if (attribute("properties") == u"nav")
                navigation = attribute("href");
        } else if (opf.name() == u"itemref") {
            spine.append(attribute("idref"));
        }
    }
    ASSERT_FALSE(opf.hasError());
    EXPECT_EQ(identifierId, uniqueId);
    EXPECT_EQ(metadata, (QStringList{"identifier", "title", "language"}));
    EXPECT_EQ(modified, QStringLiteral("2026-03-14T09:26:53Z"));
    ASSERT_FALSE(navigation.isEmpty());
    EXPECT_TRUE(zip->find("OEBPS/" + navigation.toUtf8()));
    EXPECT_EQ(spine.size(), 3);
    for (const QString& id : spine) {
        ASSERT_TRUE(manifest.contains(id)) << id.toStdString();
        EXPECT_TRUE(zip->find("OEBPS/" + manifest.value(id).toUtf8())) << id.toStdString();
    }
    for (const QString& href : manifest)
        EXPECT_TRUE(zip->find("OEBPS/" + href.toUtf8())) << href.toStdString();
}

TEST(WordPackage, HoldsItsPartsAndTheirRelationships) {
    const std::optional<QByteArray> bytes =
        ManuscriptExport::bytes(book(), Format::Word, kModified);
    ASSERT_TRUE(bytes);
    const std::optional<ZipEntries> zip = ZipEntries::read(*bytes);
    ASSERT_TRUE(zip);
    for (const char* part : {"[Content_Types].xml", "_rels/.rels", "word/document.xml",
                             "word/_rels/document.xml.rels", "word/styles.xml"}) {
        const ZipEntries::Entry* entry = zip->find(part);
        ASSERT_TRUE(entry) << part;
        EXPECT_TRUE(ManuscriptReader::wellFormed(entry->data)) << part;
    }
    // Every relationship points at a part of the package, and every part the content types
    // override is there.
    const auto targets = [&](const QByteArray& rels, const QByteArray& folder) {
        QXmlStreamReader xml(zip->find(rels)->data);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
                continue;
            const QByteArray target = xml.attributes().value(QLatin1String("Target")).toUtf8();
            EXPECT_TRUE(zip->find(folder + target)) << target.constData();
        }
    };
    targets("_rels/.rels", "");
    targets("word/_rels/document.xml.rels", "word/");
    QXmlStreamReader types(zip->find("[Content_Types].xml")->data);
    while (!types.atEnd()) {
        if (types.readNext() != QXmlStreamReader::StartElement || types.name() != u"Override")
            continue;
        const QByteArray part = types.attributes().value(QLatin1String("PartName")).toUtf8();
        EXPECT_TRUE(zip->find(part.mid(1))) << part.constData();
    }
}

TEST(OpenDocumentPackage, StartsWithItsTypeAndListsItsParts) {
    const std::optional<QByteArray> bytes =
        ManuscriptExport::bytes(book(), Format::OpenDocument, kModified);
    ASSERT_TRUE(bytes);
    const std::optional<ZipEntries> zip = ZipEntries::read(*bytes);
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip->entries.front().name, QByteArray("mimetype"));
    EXPECT_TRUE(zip->entries.front().stored);
    EXPECT_EQ(zip->entries.front().data, QByteArray("application/vnd.oasis.opendocument.text"));
    QXmlStreamReader manifest(zip->find("META-INF/manifest.xml")->data);
    int parts = 0;
    while (!manifest.atEnd()) {
        if (manifest.readNext() != QXmlStreamReader::StartElement ||
            manifest.name() != u"file-entry")
            continue;
        const QByteArray path =
            manifest.attributes().value(QLatin1String("manifest:full-path")).toUtf8();
        if (path == "/")
            continue;
        const ZipEntries::Entry* entry = zip->find(path);
        ASSERT_TRUE(entry) << path.constData();
        EXPECT_TRUE(ManuscriptReader::wellFormed(entry->data)) << path.constData();
        ++parts;
    }
    EXPECT_FALSE(manifest.hasError());
    EXPECT_EQ(parts, 3);
}

TEST(MarkdownLine, IsEscapedOnlyWhereMarkdownWouldActOnIt) {
    const struct {
        QString line;
        QString escaped;
    } cases[] = {
        {"Plain prose, with a full stop.", "Plain prose, with a full stop."},
        {"# one", "\\# one"},
        {"Chapter #2", "Chapter \\#2"},
        {"1984. The year", "1984\\. The year"},
        {"3) three", "3\\) three"},
        {"In 1984. Not a list", "In 1984. Not a list"},
        {"- dash", "\\- dash"},
        {"a - b + c = d > e", "a - b + c = d > e"},
        {"+ plus", "\\+ plus"},
        {"> quote", "\\> quote"},
        {"=", "\\="},
        {"*a* _b_ `c` [d] <e> & ~f~", "\\*a\\* \\_b\\_ \\`c\\` \\[d\\] \\<e> \\& \\~f\\~"},
        {"back\\slash", "back\\\\slash"},
        {"  two", "&#32;&#32;two"},
        {"end \t", "end&#32;&#9;"},
        {"   ", "&#32;&#32;&#32;"},
        {"page\fbreak", "pagebreak"},
        {"\t- tab then dash", "&#9;\\- tab then dash"},
        {"Élodie «ici»", "Élodie «ici»"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkdownManuscript::escaped(c.line), c.escaped) << c.line.toStdString();
}

TEST(ManuscriptParagraphs, AreTheTextsLinesWithoutTheBlankEnds) {
    const struct {
        QString text;
        QStringList paragraphs;
    } cases[] = {
        {"", {}},
        {"\r\n \r\n\t", {}},
        {"One", {"One"}},
        {"One\r\nTwo", {"One", "Two"}},
        {"One\nTwo\rThree\r\n", {"One", "Two", "Three"}},
        {"One\r\n\r\n\r\nTwo", {"One", "", "", "Two"}},
        {"\r\n\r\n  Indented\r\n\r\n", {"  Indented"}},
        {"One\r\n   \r\nTwo", {"One", "   ", "Two"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Manuscript::paragraphs(c.text), c.paragraphs) << c.text.toStdString();
}

TEST(ExportFormats, AreKnownByTheirSuffix) {
    for (const Format format : ManuscriptExport::formats()) {
        EXPECT_EQ(ManuscriptExport::formatOfSuffix(ManuscriptExport::suffix(format)), format);
        EXPECT_EQ(ManuscriptExport::formatOfSuffix(ManuscriptExport::suffix(format).toUpper()),
                  format);
    }
    EXPECT_FALSE(ManuscriptExport::formatOfSuffix(u"txt"));
    EXPECT_FALSE(ManuscriptExport::formatOfSuffix(u""));
}

} // namespace
