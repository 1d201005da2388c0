// Copies of damaged files: what a folder holds after several damages of one file.

#include "common/DamagedCopies.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using kerfa::DamagedCopies;

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QStringList names(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

// The same damage found again (a save that failed after the copy was made, tried once more)
// keeps the one copy; other files' copies and names that only look like copies are left alone.
TEST(DamagedCopies, SameBytesTwiceMakeOneCopyAndOtherNamesAreLeftAlone) {
    QTemporaryDir dir;
    const std::string path = local(dir.filePath("d.adu"));
    for (const char* name : {"d.adu.damaged.0", "d.adu.damaged.x", "d.adu.damaged.07",
                             "e.adu.damaged", "d.adu.damaged.-3"}) {
        QFile other(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(DamagedCopies::keep(path, "one"), path + ".damaged");
    EXPECT_EQ(DamagedCopies::keep(path, "one"), path + ".damaged");
    EXPECT_EQ(DamagedCopies::keep(path, "two"), path + ".damaged.2");
    EXPECT_EQ(DamagedCopies::list(path),
              (std::vector<std::string>{path + ".damaged", path + ".damaged.2"}));
    EXPECT_EQ(names(dir), (QStringList{"d.adu.damaged", "d.adu.damaged.-3", "d.adu.damaged.0",
                                       "d.adu.damaged.07", "d.adu.damaged.2", "d.adu.damaged.x",
                                       "e.adu.damaged"}));
}

// A private file's copy is as private as the file.
TEST(DamagedCopies, CopyTakesThePermissionsOfTheFile) {
    QTemporaryDir dir;
    const std::string path = local(dir.filePath("private.adu"));
    QFile file(dir.filePath("private.adu"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    const std::string copy = DamagedCopies::keep(path, "damaged");
    ASSERT_FALSE(copy.empty());
    struct stat st {};
    ASSERT_EQ(::stat(copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

} // namespace
