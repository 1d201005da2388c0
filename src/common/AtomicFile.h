#pragma once
// The one way Kerfa replaces a file, in standard C++ for the spelling library and the build tools
// (FileWriter is the Qt face of it). The bytes go to a temporary file beside the target, written
// without a buffer so that every error (a full disk, a file size limit) shows at once, synced,
// renamed over the target, and the folder synced after the rename: a crash, a kill or a power
// cut leaves the old file or the new one, whole, and a failed save leaves the old file as it was.
//
// Only a regular file, or nothing, is ever replaced: a symbolic link, a folder, a pipe or a
// device at the target's path makes the save fail, so that nothing is written where a link
// points. A new file takes the usual permissions, or only its owner's in a folder closed to
// everyone else; a replaced one keeps its own, unless the writer sets the file's mode (setMode),
// which then holds whatever was there or the umask says.
//
// A temporary file is named "." + the target's name + ".kerfa-save-" + six random letters and
// digits, and locked while it is written. One left by a killed writer is removed by
// removeLeftovers; one still being written is not.

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace kerfa {

class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    // An uncommitted temporary file is removed; the target stays as it was.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The mode the file takes, new or replaced (0600 for a file only its owner may read); set
    // before open().
    void setMode(mode_t mode) { mode_ = mode; }

    // Creates the temporary file. False when the target is not a regular file or the folder
    // cannot take the temporary file.
    bool open();
    // Appends bytes. False after any error, and every later call fails too.
    bool write(std::string_view bytes);
    // Syncs the bytes, renames the temporary file over the target and syncs the folder (or
    // leaves that to the FolderSync in force). False when anything failed: the target then holds
    // the old bytes, except when only the folder could not be synced after the rename (the new
    // bytes are in place but may not survive a power cut, so the caller should still treat the
    // save as failed).
    bool commit();
    // Drops the temporary file; the target stays as it was.
    void discard();

    // The errno of the first failure; 0 when there was none.
    int error() const { return error_; }
    // The file written, as it stood just before the rename; valid after a successful commit.
    const struct stat& written() const { return written_; }

    // The whole file in one call; false, with the target as it was, when it could not be saved.
    // A mode other than 0 is the file's mode, as setMode.
    static bool save(const std::string& path, std::string_view bytes, mode_t mode = 0);
    // Removes the temporary files killed writers left in the folder, and only those: names of
    // the form above that no running writer holds. Returns how many were removed.
    static std::size_t removeLeftovers(const std::string& folder);
    static bool isTemporaryName(std::string_view name);

private:
    bool fail(int error);

    std::string path_;
    std::string folderPath_;
    std::string name_; // the target's name in its folder
    std::string temp_; // the temporary file's name in the same folder, while it exists
    int folder_ = -1;
    int fd_ = -1;
    int error_ = 0;
    std::size_t size_ = 0;
    mode_t mode_ = 0; // 0: the usual permissions
    struct stat written_ {};
};

} // namespace kerfa
