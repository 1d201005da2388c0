#include "project/BookJournal.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "common/LinkSafe.h"
#include "project/ProjectNames.h"
#include "project/SheetNames.h"
#include "project/SnapshotStore.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr QStringView kCommand = u"command";
constexpr QStringView kRename = u"rename";
constexpr QStringView kDelete = u"delete";
constexpr QStringView kTexts = u"texts";
constexpr QStringView kReady = u"ready";

// A journal names only sheets; one planted with other names must not lead a step outside the
// book's folders.
bool isSheetName(const QString& name) {
    if (name.isEmpty() || name.size() > ProjectNames::kMaxSheetName || name == u"." ||
        name == u"..")
        return false;
    for (const QChar c : name)
        if (SheetNames::isForbidden(c) || c.unicode() < 0x20)
            return false;
    return true;
}

QStringList sheetNames(const QJsonValue& value) {
    QStringList names;
    for (const QJsonValue& item : value.toArray())
        if (isSheetName(item.toString()))
            names << item.toString();
    return names;
}

bool exists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

} // namespace

bool BookJournal::pending() const {
    return exists(path());
}

bool BookJournal::write(const QJsonObject& entry) const {
    return FileWriter::write(path(), QJsonDocument(entry).toJson(QJsonDocument::Compact));
}

void BookJournal::close() const {
    kerfa::FolderSync folders;
    for (const QString& folder : {QString(), QStringLiteral("Kerfa Files"),
                                  QStringLiteral("Text Files"), SnapshotStore::folderName()})
        folders.add(QFile::encodeName(m_projectFolder + folder).toStdString());
    folders.finish();
    QFile::remove(path());
}

bool BookJournal::renameSheet(const QString& from, const QString& to, const QStringList& linkers) {
    const QJsonObject entry{{kCommand.toString(), kRename.toString()},
                            {QStringLiteral("from"), from},
                            {QStringLiteral("to"), to},
                            {QStringLiteral("linkers"), QJsonArray::fromStringList(linkers)}};
    write(entry);
    const bool ok = run(entry);
    close();
    return ok;
}

bool BookJournal::deleteSheet(const QString& name, bool withText, const QStringList& linkers) {
    const QJsonObject entry{{kCommand.toString(), kDelete.toString()},
                            {QStringLiteral("name"), name},
                            {QStringLiteral("text"), withText},
                            {QStringLiteral("linkers"), QJsonArray::fromStringList(linkers)}};
    write(entry);
    const bool ok = run(entry);
    close();
    return ok;
}

bool BookJournal::run(const QJsonObject& entry) const {
    const QString command = entry.value(kCommand).toString();
    const QStringList linkers = sheetNames(entry.value(u"linkers"));
    bool ok = true;
    if (command == kRename) {
        const QString from = entry.value(u"from").toString();
        const QString to = entry.value(u"to").toString();
        if (!isSheetName(from) || !isSheetName(to))
            return true;
        SheetNames::renameFiles(m_projectFolder, from, to);
        SnapshotStore(m_projectFolder).renameSheet(from, to);
        for (const QString& linker : linkers)
            ok = relink(linker, from, to) && ok;
    } else if (command == kDelete) {
        const QString name = entry.value(u"name").toString();
        if (!isSheetName(name))
            return true;
        QFile::remove(SheetNames::sheetFile(m_projectFolder, name));
        const QString text = SheetNames::textFile(m_projectFolder, name);
        // A text file that is a link goes as a link; in a text folder that is a link nothing is
        // the book's to delete.
        if (entry.value(u"text").toBool() && !LinkSafe::crossesLink(QFileInfo(text).path(), 1))
            QFile::remove(text);
        // A text kept keeps its earlier versions too.
        if (!exists(text))
            SnapshotStore(m_projectFolder).removeSheet(name);
        for (const QString& linker : linkers)
            ok = relink(linker, name, QString()) && ok;
    }
    return ok;
}

bool BookJournal::relink(const QString& linker, const QString& from, const QString& to) const {
    const QString path = SheetNames::sheetFile(m_projectFolder, linker);
    if (!QFileInfo(path).isFile())
        return true;
    IniFile file(path);
    // A link made since the last save is no link of the file's: it waits for the save.
    if (file.readString(u"LinkTo", u"Name") != from)
        return true;
    file.writeString(u"LinkTo", u"Name", to);
    return file.save();
}

bool BookJournal::beginTexts(const QStringList& sheets) {
    return write({{kCommand.toString(), kTexts.toString()},
                  {QStringLiteral("state"), QStringLiteral("staging")},
                  {QStringLiteral("sheets"), QJsonArray::fromStringList(sheets)}});
}

QString BookJournal::stagedText(const QString& sheet) const {
    return m_projectFolder + QStringLiteral("Text Files/.") + sheet +
           QStringLiteral(".txt.kerfa-replace");
}

QStringList BookJournal::finishTexts(const QStringList& staged) {
    if (!staged.isEmpty() &&
        !write({{kCommand.toString(), kTexts.toString()},
                {QStringLiteral("state"), kReady.toString()},
                {QStringLiteral("sheets"), QJsonArray::fromStringList(staged)}})) {
        // Without the journal's word that every text is staged, a command cut short while they
        // move would leave some moved and the rest dropped: none moves.
        dropStagedTexts(staged);
        close();
        return staged;
    }
    const QStringList failed = putTextsInPlace(staged);
    close();
    return failed;
}

QStringList BookJournal::putTextsInPlace(const QStringList& sheets) const {
    QStringList failed;
    for (const QString& sheet : sheets) {
        const QByteArray staged = QFile::encodeName(stagedText(sheet));
        const QByteArray text = QFile::encodeName(SheetNames::textFile(m_projectFolder, sheet));
        struct stat info {};
        if (::lstat(staged.constData(), &info) != 0)
            continue;
        // The text keeps its permissions; a link or anything but a regular file at its place
        // is never replaced.
        if (::lstat(text.constData(), &info) == 0 &&
            (!S_ISREG(info.st_mode) || ::chmod(staged.constData(), info.st_mode & 07777) != 0)) {
            QFile::remove(QFile::decodeName(staged));
            failed << sheet;
            continue;
        }
        if (std::rename(staged.constData(), text.constData()) != 0) {
            QFile::remove(QFile::decodeName(staged));
            failed << sheet;
        }
    }
    return failed;
}

void BookJournal::dropStagedTexts(const QStringList& sheets) const {
    for (const QString& sheet : sheets)
        QFile::remove(stagedText(sheet));
}

void BookJournal::replay() {
    if (!pending())
        return;
    FileReader::Limits limits;
    limits.maxBytes = 4 * 1024 * 1024;
    limits.links = FileReader::Links::Refuse;
    const QJsonObject entry = QJsonDocument::fromJson(FileReader::read(path(), limits)).object();
    if (entry.value(kCommand).toString() == kTexts) {
        const QStringList sheets = sheetNames(entry.value(u"sheets"));
        if (entry.value(u"state").toString() == kReady)
            putTextsInPlace(sheets);
        else
            dropStagedTexts(sheets);
    } else {
        run(entry);
    }
    close();
}
