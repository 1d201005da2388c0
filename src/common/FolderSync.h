#pragma once
// Syncing a folder after a rename costs a journal commit, several milliseconds on an ordinary
// disk, and dominates a small file's save. A save of many files (a project's sheet files) makes
// a FolderSync for the time of the saves: while it lives, AtomicFile leaves the folder's sync to
// it, and it syncs each folder once. Until then each file is still whole, old or new, whatever
// happens; only the renames may not yet survive a power cut.

#include <set>
#include <string>

namespace kerfa {

class FolderSync {
public:
    // Takes over the folder syncs of this thread's saves until it ends.
    FolderSync();
    // Syncs what is still waiting.
    ~FolderSync();
    FolderSync(const FolderSync&) = delete;
    FolderSync& operator=(const FolderSync&) = delete;

    // Syncs every folder a save renamed a file in since the last call; false if any sync failed.
    bool finish();

    // The batch in force on this thread, or nullptr.
    static FolderSync* current();
    void add(const std::string& folder) { folders_.insert(folder); }

private:
    std::set<std::string> folders_;
    FolderSync* outer_;
};

} // namespace kerfa
