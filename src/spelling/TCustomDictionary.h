#pragma once
// TCustomDictionary: a small, user-editable word store (".adu") holding added words (accepted),
// excluded words (always wrong) and auto-correct pairs (a word and its fixed replacement).
//
// The whole file lives in memory as an open-addressing hash table over one packed text area,
// exactly as stored. Edits since loading are recorded, so that saving over a file another
// program changed meanwhile replays them onto a fresh copy of that file instead of overwriting
// its changes. Saves go through the one save path (kerfa::AtomicFile): atomic, durable, and never
// through a symbolic link. A damaged file keeps what is sound in it (nothing when its sizes do not
// add up), and a copy of it is kept (kerfa::DamagedCopies) before anything is written over it.
//
// A dictionary without a file name (the session dictionary, word lists read from plain text)
// lives in memory only and is never written.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kerfa::spelling {

class TCustomDictionary {
public:
    enum class Kind : char { Added = 'I', Excluded = 'E', Pair = 'A' };
    // A word and its replacement together may not exceed this many bytes.
    static constexpr std::size_t kMaxEntryBytes = 500;

    TCustomDictionary() = default;
    ~TCustomDictionary();
    TCustomDictionary(const TCustomDictionary&) = delete;
    TCustomDictionary& operator=(const TCustomDictionary&) = delete;

    // Checks the file's banner (or, for a missing file, that its folder is writable) and takes
    // the name; a loaded dictionary saves its old file if modified and loads the new one.
    bool Open(const std::string& fileName);
    // Loads from the file, or saves to it (when modified) and frees the memory.
    void SetLoaded(bool loaded);
    // Writes the dictionary back, merging with another program's changes when the file
    // changed since it was loaded. False when the file could not be written.
    bool Save();
    // Replaces the contents with a plain text file, one added word a line (UTF-8 is taken
    // into Windows-1252); the dictionary then has no file. False if the file can't be read.
    bool LoadWordList(const std::string& path);
    // Removes every entry; the emptied dictionary is written when it is unloaded.
    void Clear();

    const std::string& FileName() const { return fileName_; }
    bool IsLoaded() const { return loaded_; }
    bool IsModified() const { return modified_; }

    bool IsAdded(std::string_view word) { return Has(Kind::Added, word); }
    bool IsExcluded(std::string_view word) { return Has(Kind::Excluded, word); }
    // The word's replacement; a pair with an empty replacement is never found.
    bool FindPair(std::string_view word, std::string& replacement);
    // Any entry for the word, of whichever kind.
    bool Holds(std::string_view word) {
        EnsureLoaded();
        return FindSlot(word) >= 0;
    }

    // True if added; any entry for the same word, an empty word, a pair without a replacement
    // or a too long entry refuses.
    bool AddWord(std::string_view word) { return Add(Kind::Added, word, {}); }
    bool AddExcluded(std::string_view word) { return Add(Kind::Excluded, word, {}); }
    bool AddPair(std::string_view word, std::string_view replacement) {
        return Add(Kind::Pair, word, replacement);
    }
    bool RemoveWord(std::string_view word) { return Remove(Kind::Added, word); }
    bool RemoveExcluded(std::string_view word) { return Remove(Kind::Excluded, word); }
    bool RemovePair(std::string_view word) { return Remove(Kind::Pair, word); }

    // Indexed access for the edit dialog, in hash-table order (the dialog sorts for display).
    std::size_t Count(Kind kind);
    std::string_view Word(Kind kind, std::size_t index);
    std::string_view Replacement(std::size_t pairIndex);

    std::uint32_t TableSize() const { return static_cast<std::uint32_t>(table_.size()); }

private:
    // Identifies the file version loaded or written. Linux timestamps are coarse, so the inode
    // and size take part as well: an atomic save always brings a new inode.
    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        std::int64_t mtimeSec = 0;
        std::int64_t mtimeNsec = 0;
        bool operator==(const FileStamp&) const = default;
    };
    // Edits since loading, by kind (added words, exclusions, pairs); pairs keep their
    // replacements beside the words.
    struct Edits {
        std::array<std::vector<std::string>, 3> added, removed;
        std::vector<std::string> addedReplacements;
    };

    // x mod d for x below 2^64 by multiplication (Barrett reduction): a division per byte
    // would dominate loading and lookups.
    class Modulus {
    public:
        explicit Modulus(std::uint64_t d = 1) : d_(d), m_(UINT64_MAX / d) {}
        std::uint64_t operator()(std::uint64_t x) const;

    private:
        std::uint64_t d_, m_;
    };
    struct HashCache {
        std::uint32_t size = 0; // the table size the rest was made for
        Modulus modulus;
        std::vector<std::uint64_t> factors;
    };

    static std::size_t KindIndex(Kind kind);
    std::uint32_t Hash(std::string_view word) const;
    static FileStamp StampOf(const std::string& fileName);

    void EnsureLoaded();
    // Frees the contents and forgets the recorded edits, without marking a change.
    void Empty();
    void Verify();
    void ResetToEmpty();
    void Load();
    // Sound; damaged but with its sound entries taken; or not readable at all.
    enum class Reading { Sound, Salvaged, Unreadable };
    Reading Parse(const std::string& bytes);
    bool WriteFile();
    void Replay(const Edits& edits);
    void RecordAdd(Kind kind, std::string_view word, std::string_view replacement);
    void RecordRemove(Kind kind, std::string_view word);

    bool Has(Kind kind, std::string_view word);
    bool Add(Kind kind, std::string_view word, std::string_view replacement);
    bool Remove(Kind kind, std::string_view word);
    std::string_view WordAt(std::int32_t value) const;
    bool WordEquals(std::int32_t value, std::string_view word) const;
    // The slot of the word's entry; a negative value when absent (or, for Probe, when every
    // slot was visited, which FindSlot answers by clearing out deleted slots).
    std::int64_t Probe(std::string_view word) const;
    std::int64_t FindSlot(std::string_view word);
    bool Insert(std::int32_t value);
    // Re-inserts the live entries into a table of at least `size` slots.
    void Rebuild(std::uint32_t size, bool dropDuplicates = false);
    void BuildIndex();

    std::string fileName_;
    bool loaded_ = true; // a dictionary without a file is always in memory
    bool modified_ = false;
    bool loadFailed_ = false; // the file exists but nothing could be read from it
    bool damaged_ = false;    // the file as loaded is damaged: a copy is kept before writing
    FileStamp stamp_;

    std::string text_; // the text area: type byte, word, zero, [replacement, zero]
    std::vector<std::int32_t> table_;
    std::array<std::uint32_t, 3> counts_{};
    std::uint32_t live_ = 0;
    std::array<std::vector<std::int32_t>, 3> index_;
    bool indexValid_ = false;
    bool verified_ = true;
    mutable HashCache hash_;
    Edits edits_;
};

} // namespace kerfa::spelling
