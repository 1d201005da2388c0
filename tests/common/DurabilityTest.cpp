// A save survives a power cut only when the new file's bytes reach the disk before the rename,
// and the folder, which holds the rename, reaches it afterwards. A power cut cannot be staged in
// a test, so this program stands between the savers and the system: it defines the sync and
// rename calls itself (a program's own definitions take the place of the C library's, for Qt's
// calls too) and records their order.

#include "common/FolderSync.h"
#include "common/IniFile.h"
#include "spelling/TCustomDictionary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

struct Call {
    std::string what; // "sync" or "rename"
    std::string path; // the file or folder synced, or the new name of a rename
};

std::vector<Call> g_calls;

std::string pathOf(int fd) {
    char link[64];
    char target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

int recordRename(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    const std::string name = to;
    g_calls.push_back(
        {"rename", name.starts_with('/') || toDir == AT_FDCWD ? name : pathOf(toDir) + "/" + name});
    return static_cast<int>(::syscall(SYS_renameat2, fromDir, from, toDir, to, flags));
}

} // namespace

extern "C" {
int fsync(int fd) {
    g_calls.push_back({"sync", pathOf(fd)});
    return static_cast<int>(::syscall(SYS_fsync, fd));
}
int fdatasync(int fd) {
    g_calls.push_back({"sync", pathOf(fd)});
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}
int rename(const char* from, const char* to) noexcept {
    return recordRename(AT_FDCWD, from, AT_FDCWD, to, 0);
}
int renameat(int fromDir, const char* from, int toDir, const char* to) noexcept {
    return recordRename(fromDir, from, toDir, to, 0);
}
int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) noexcept {
    return recordRename(fromDir, from, toDir, to, flags);
}
}

namespace {

struct Saver {
    const char* name;
    bool (*save)(const std::string& path);
};

// Each save changes the file, so that it is written again.
int g_serial = 0;

bool saveIni(const std::string& path) {
    IniFile file(QString::fromStdString(path));
    file.writeInteger(u"Position", u"Left", ++g_serial);
    return file.save();
}

// A save of many files syncs each folder once, when the batch finishes.
bool saveIniInABatch(const std::string& path) {
    kerfa::FolderSync batch;
    return saveIni(path) && batch.finish();
}

bool saveCustomDictionary(const std::string& path) {
    kerfa::spelling::TCustomDictionary dictionary;
    return dictionary.Open(path) && dictionary.AddWord("lamp" + std::to_string(++g_serial)) &&
           dictionary.Save();
}

class SaveOrder : public testing::TestWithParam<Saver> {};

TEST_P(SaveOrder, FileSyncedThenRenamedThenFolderSynced) {
    QTemporaryDir dir;
    const std::string folder = QDir(dir.path()).canonicalPath().toStdString();
    const std::string path = folder + "/" + GetParam().name;
    // A save replaces a file: the first save of a new one may put it in place by other means.
    ASSERT_TRUE(GetParam().save(path));
    g_calls.clear();
    ASSERT_TRUE(GetParam().save(path));
    const std::vector<Call> calls = g_calls;

    std::size_t renamed = calls.size();
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (calls[i].what == "rename" && calls[i].path == path)
            renamed = i;
    ASSERT_LT(renamed, calls.size()) << "the file is not renamed into place";
    bool fileSynced = false;
    for (std::size_t i = 0; i < renamed; ++i)
        fileSynced |= calls[i].what == "sync" && calls[i].path.rfind(folder + "/", 0) == 0;
    EXPECT_TRUE(fileSynced) << "the new bytes are not synced before the rename";
    bool folderSynced = false;
    for (std::size_t i = renamed + 1; i < calls.size(); ++i)
        folderSynced |= calls[i].what == "sync" && calls[i].path == folder;
    EXPECT_TRUE(folderSynced) << "the folder is not synced after the rename";
}

INSTANTIATE_TEST_SUITE_P(Savers, SaveOrder,
                         testing::Values(Saver{"Sheet.kfa", &saveIni},
                                         Saver{"Batch.kfa", &saveIniInABatch},
                                         Saver{"Custom.adu", &saveCustomDictionary}),
                         [](const testing::TestParamInfo<Saver>& info) {
                             const std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
