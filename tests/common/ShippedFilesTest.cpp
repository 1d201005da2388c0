// An installed Kerfa's program folder of the user's own: made from the shipped data at the first
// start, and brought in step with each new version without losing what the user changed.

#include "common/ShippedFiles.h"
#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "project/ProjectState.h"
#include "project/ProjectStorage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <sys/stat.h>

namespace {

bool writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

std::optional<QByteArray> readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

// A shipped folder: its files and the list of them, as the install writes it.
class Shipped {
public:
    explicit Shipped(QString root) : m_root(std::move(root)) {}
    void put(const QString& relative, const QByteArray& bytes) {
        ASSERT_TRUE(writeAll(m_root + relative, bytes));
        m_list[relative] = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        QByteArray list;
        for (auto it = m_list.cbegin(); it != m_list.cend(); ++it)
            list += it.value() + "  " + it.key().toUtf8() + '\n';
        ASSERT_TRUE(writeAll(m_root + ShippedFiles::kListName, list));
    }
    const QString& root() const { return m_root; }

private:
    QString m_root;
    QMap<QString, QByteArray> m_list;
};

class UserFolder : public testing::Test {
protected:
    QTemporaryDir m_temp;
    Shipped m_v1{m_temp.path() + QStringLiteral("/v1/share/kerfa/")};
    Shipped m_v2{m_temp.path() + QStringLiteral("/v2/share/kerfa/")};
    QString m_user = m_temp.path() + QStringLiteral("/home/.local/share/kerfa/");
};

TEST_F(UserFolder, FirstStartCopiesSmallFilesAndLinksTheLargeOnes) {
    m_v1.put(QStringLiteral("Themes/Book.ini"), "[Theme]\r\n");
    m_v1.put(QStringLiteral("Examples/Book/Book.kerfa"), "[Project]\r\n");
    m_v1.put(QStringLiteral("Spelling/british.adm"), "dictionary");
    m_v1.put(QStringLiteral("Spelling/british.copyright"), "notice");
    m_v1.put(QStringLiteral("Thesaurus/English-uk.adt"), "thesaurus");

    EXPECT_EQ(ShippedFiles::update(m_v1.root(), m_user), QString());

    for (const char* folder :
         {"Backups", "Spelling", "Thesaurus", "Templates", "Languages", "Themes", "Examples"}) {
        const QFileInfo info(m_user + QLatin1String(folder));
        EXPECT_TRUE(info.isDir() && !info.isSymLink()) << folder;
    }
    EXPECT_TRUE(QDir(m_user + QStringLiteral("Backups")).isEmpty());
    for (const char* copied :
         {"Themes/Book.ini", "Examples/Book/Book.kerfa", "Spelling/british.copyright"}) {
        const QFileInfo info(m_user + QLatin1String(copied));
        EXPECT_TRUE(info.isFile() && !info.isSymLink()) << copied;
    }
    for (const char* linked : {"Spelling/british.adm", "Thesaurus/English-uk.adt"}) {
        const QFileInfo info(m_user + QLatin1String(linked));
        EXPECT_TRUE(info.isSymLink()) << linked;
        EXPECT_EQ(info.symLinkTarget(), m_v1.root() + QLatin1String(linked));
    }
    EXPECT_EQ(readAll(m_user + ShippedFiles::kListName),
              readAll(m_v1.root() + ShippedFiles::kListName));
}

// One shipped file across two versions, and what the user did to it in between.
struct Step {
    const char* name;
    std::optional<QByteArray> inVersion1; // nullopt: not shipped then
    std::optional<QByteArray> userHas;    // nullopt: no file in the user's folder
    QByteArray inVersion2;
    std::optional<QByteArray> expected;
};

class NewVersion : public UserFolder, public testing::WithParamInterface<Step> {};

TEST_P(NewVersion, KeepsWhatTheUserChanged) {
    const Step& s = GetParam();
    const QString file = QStringLiteral("Themes/Theme.ini");
    m_v1.put(QStringLiteral("Themes/Other.ini"), "other");
    if (s.inVersion1)
        m_v1.put(file, *s.inVersion1);
    ASSERT_EQ(ShippedFiles::update(m_v1.root(), m_user), QString());
    QFile::remove(m_user + file);
    if (s.userHas) {
        ASSERT_TRUE(writeAll(m_user + file, *s.userHas));
    }

    m_v2.put(QStringLiteral("Themes/Other.ini"), "other");
    m_v2.put(file, s.inVersion2);
    EXPECT_EQ(ShippedFiles::update(m_v2.root(), m_user), QString());
    EXPECT_EQ(readAll(m_user + file), s.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NewVersion,
    testing::Values(Step{"Added", std::nullopt, std::nullopt, "new", QByteArray("new")},
                    Step{"LeftAsShipped", "old", "old", "new", QByteArray("new")},
                    Step{"EditedByTheUser", "old", "mine", "new", QByteArray("mine")},
                    Step{"RemovedByTheUser", "old", std::nullopt, "new", std::nullopt},
                    Step{"UsersOwnOfTheSameName", std::nullopt, "mine", "new", QByteArray("mine")},
                    Step{"EditedAndUnchangedInTheNewVersion", "same", "mine", "same",
                         QByteArray("mine")},
                    Step{"AlreadyAsTheNewVersion", "old", "new", "new", QByteArray("new")}),
    [](const testing::TestParamInfo<Step>& info) { return std::string(info.param.name); });

TEST_F(UserFolder, SameVersionAgainChangesNothing) {
    m_v1.put(QStringLiteral("Templates/Scene.txt"), "scene");
    ASSERT_EQ(ShippedFiles::update(m_v1.root(), m_user), QString());
    ASSERT_TRUE(QFile::remove(m_user + QStringLiteral("Templates/Scene.txt")));
    QDir(m_user + QStringLiteral("Backups")).removeRecursively();

    EXPECT_EQ(ShippedFiles::update(m_v1.root(), m_user), QString());
    EXPECT_FALSE(QFileInfo::exists(m_user + QStringLiteral("Templates/Scene.txt")));
    EXPECT_TRUE(QFileInfo(m_user + QStringLiteral("Backups")).isDir());
}

TEST_F(UserFolder, LinksFollowTheDataAndYieldToTheUsersOwnFile) {
    m_v1.put(QStringLiteral("Spelling/british.adm"), "one");
    m_v1.put(QStringLiteral("Thesaurus/English-uk.adt"), "one");
    m_v1.put(QStringLiteral("Thesaurus/Old.adt"), "old");
    ASSERT_EQ(ShippedFiles::update(m_v1.root(), m_user), QString());
    const QString own = m_user + QStringLiteral("Thesaurus/English-uk.adt");
    ASSERT_TRUE(QFile::remove(own));
    ASSERT_TRUE(writeAll(own, "my thesaurus"));

    // The new version lies elsewhere and no longer ships Old.adt.
    m_v2.put(QStringLiteral("Spelling/british.adm"), "two");
    m_v2.put(QStringLiteral("Thesaurus/English-uk.adt"), "two");
    QDir(m_temp.path() + QStringLiteral("/v1")).removeRecursively();
    EXPECT_EQ(ShippedFiles::update(m_v2.root(), m_user), QString());

    EXPECT_EQ(readAll(m_user + QStringLiteral("Spelling/british.adm")), QByteArray("two"));
    EXPECT_EQ(readAll(own), QByteArray("my thesaurus"));
    EXPECT_FALSE(QFileInfo(own).isSymLink());
    EXPECT_FALSE(QFileInfo(m_user + QStringLiteral("Thesaurus/Old.adt")).isSymLink());
}

TEST_F(UserFolder, WhatCannotBeWrittenIsReportedAndTriedAgain) {
    m_v1.put(QStringLiteral("Help/index.html"), "help");
    const QString blocked = m_temp.path() + QStringLiteral("/file");
    ASSERT_TRUE(writeAll(blocked, "a file, not a folder"));
    EXPECT_FALSE(ShippedFiles::update(m_v1.root(), blocked + QStringLiteral("/kerfa/")).isEmpty());

    // A file where a folder must go: the list stays unwritten, so the next start tries again.
    ASSERT_TRUE(writeAll(m_user + QStringLiteral("Help"), "in the way"));
    EXPECT_EQ(ShippedFiles::update(m_v1.root(), m_user),
              m_user + QStringLiteral("Help/index.html"));
    EXPECT_FALSE(QFileInfo::exists(m_user + ShippedFiles::kListName));
    ASSERT_TRUE(QFile::remove(m_user + QStringLiteral("Help")));
    EXPECT_EQ(ShippedFiles::update(m_v1.root(), m_user), QString());
    EXPECT_EQ(readAll(m_user + QStringLiteral("Help/index.html")), QByteArray("help"));
}

struct ListLine {
    const char* name;
    QByteArray line;
    QString path; // empty: skipped
};

class ShippedList : public testing::TestWithParam<ListLine> {};

TEST_P(ShippedList, KeepsOnlyPathsInsideTheFolder) {
    const QByteArray hash(64, 'a');
    const auto files = ShippedFiles::parse(hash + GetParam().line + "\r\n");
    if (GetParam().path.isEmpty()) {
        EXPECT_TRUE(files.isEmpty());
    } else {
        EXPECT_EQ(files.keys(), QStringList{GetParam().path});
        EXPECT_EQ(files.value(GetParam().path), hash);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ShippedList,
    testing::Values(ListLine{"Plain", "  Themes/Book.ini", QStringLiteral("Themes/Book.ini")},
                    ListLine{"Binary", " *Help/a b.html", QStringLiteral("Help/a b.html")},
                    ListLine{"Parent", "  ../../.bashrc", {}},
                    ListLine{"ParentInside", "  Themes/../../x", {}},
                    ListLine{"Absolute", "  /etc/passwd", {}},
                    ListLine{"EmptyPart", "  Themes//Book.ini", {}},
                    ListLine{"OneBlank", " Themes/Book.ini", {}}, ListLine{"NoPath", "  ", {}}),
    [](const testing::TestParamInfo<ListLine>& info) { return std::string(info.param.name); });

TEST(ShippedList, SkipsChecksumsThatAreNotHex) {
    EXPECT_TRUE(ShippedFiles::parse(QByteArray(64, 'g') + "  Themes/Book.ini\n").isEmpty());
    EXPECT_TRUE(ShippedFiles::parse(QByteArray(63, 'a') + "  Themes/Book.ini\n").isEmpty());
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}

// Backups of whole books, custom dictionaries and settings are nobody else's to read: the user's
// folder and everything Kerfa makes in it are private, and so is a folder an earlier version left
// open to all. The shipped files its links point at stay as they are.
TEST_F(UserFolder, EverythingInItIsPrivate) {
    const mode_t mask = ::umask(022);
    m_v1.put(QStringLiteral("Themes/Book.ini"), "[Theme]\r\n");
    m_v1.put(QStringLiteral("Examples/Book/Book.kerfa"), "[Project]\r\n");
    m_v1.put(QStringLiteral("Spelling/british.adm"), "dictionary");
    const QString earlier = m_temp.path() + QStringLiteral("/earlier/kerfa/");
    ASSERT_TRUE(writeAll(earlier + QStringLiteral("Kerfa.ini"), "[Options]\r\n"));
    ASSERT_TRUE(writeAll(earlier + QStringLiteral("Backups/Book 1/Text Files/One.txt"), "One."));
    ASSERT_TRUE(QDir().mkpath(earlier + QStringLiteral("Spelling")));
    ASSERT_TRUE(QFile::link(m_v1.root() + QStringLiteral("Spelling/british.adm"),
                            earlier + QStringLiteral("Spelling/british.adm")));
    ASSERT_EQ(modeOf(earlier), 0755u);

    for (const QString& user : {m_user, earlier}) {
        SCOPED_TRACE(user.toStdString());
        ASSERT_EQ(ShippedFiles::update(m_v1.root(), user), QString());
        // What Kerfa writes there afterwards: settings, a custom dictionary, a backup.
        IniFile settings(user + QStringLiteral("Kerfa.ini"));
        settings.writeString(u"Options", u"Language", QStringLiteral("English"));
        ASSERT_TRUE(settings.save());
        ASSERT_TRUE(FileWriter::write(user + QStringLiteral("Spelling/Custom.adu"), "words"));
        ProjectState book;
        book.projectFolder = m_temp.path() + QStringLiteral("/Book/");
        book.projectFileName = QStringLiteral("Book.kerfa");
        ASSERT_TRUE(writeAll(book.projectPath(), "[Workspace]\r\n"));
        ASSERT_TRUE(writeAll(book.textFolder() + QStringLiteral("One.txt"), "One."));
        ASSERT_TRUE(writeAll(book.projectFolder + QStringLiteral("Snapshots/One/a.txt"), "Was."));
        ASSERT_TRUE(ProjectStorage::backup(book, user + QStringLiteral("Backups/Book 2/")));

        QDirIterator it(user, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        int files = 0;
        EXPECT_EQ(modeOf(user), 0700u);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (info.isSymLink())
                continue;
            files += info.isFile();
            EXPECT_EQ(modeOf(info.filePath()), info.isDir() ? 0700u : 0600u)
                << info.filePath().toStdString();
        }
        EXPECT_GE(files, 7);
    }
    EXPECT_EQ(modeOf(m_v1.root() + QStringLiteral("Spelling/british.adm")), 0644u);
    ::umask(mask);
}

struct Place {
    const char* name;
    const char* kerfaHome;
    const char* shippedData;
    const char* expected;
};

class ProgramFolderPlace : public testing::TestWithParam<Place> {};

TEST_P(ProgramFolderPlace, FollowsHowKerfaRuns) {
    const Place& p = GetParam();
    EXPECT_EQ(ProgramFolder::resolve(
                  QString::fromUtf8(p.kerfaHome), QStringLiteral("/opt/b/program"),
                  QString::fromUtf8(p.shippedData), QStringLiteral("/home/ann/.local/share")),
              QString::fromUtf8(p.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ProgramFolderPlace,
    testing::Values(Place{"BuildTree", "", "", "/opt/b/program/"},
                    Place{"Installed", "", "/usr/share/kerfa/", "/home/ann/.local/share/kerfa/"},
                    Place{"KerfaHomeOverBuildTree", "/tmp/k", "", "/tmp/k/"},
                    Place{"KerfaHomeOverInstalled", "/tmp/k/", "/usr/share/kerfa/", "/tmp/k/"}),
    [](const testing::TestParamInfo<Place>& info) { return std::string(info.param.name); });

TEST(ProgramFolderPlace, InstalledOnlyWhenTheShippedListLiesBeside) {
    QTemporaryDir temp;
    const QString bin = temp.path() + QStringLiteral("/usr/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(temp.path() + QStringLiteral("/usr/share/kerfa/Themes")));
    EXPECT_EQ(ProgramFolder::shippedDataBeside(bin), QString());
    ASSERT_TRUE(
        writeAll(temp.path() + QStringLiteral("/usr/share/kerfa/") + ShippedFiles::kListName, ""));
    EXPECT_EQ(ProgramFolder::shippedDataBeside(bin),
              temp.path() + QStringLiteral("/usr/share/kerfa/"));
}

} // namespace
