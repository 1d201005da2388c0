#include "spelling/TCustomDictionary.h"

#include "common/AtomicFile.h"
#include "common/DamagedCopies.h"
#include "common/WholeFile.h"
#include "spelling/DictionaryBanner.h"
#include "spelling/SplitWordList.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace kerfa::spelling {

namespace {

constexpr std::array<std::uint32_t, 24> kPrimes = {
    251,      509,      1021,     2039,      4093,      8191,      16381,      32749,
    65521,    131071,   262139,   524287,    1048573,   2097143,   4194301,    8388593,
    16777213, 33554393, 67108859, 134217689, 268435399, 536870909, 1073741789, 2147483647};

constexpr std::size_t kFixedHeader = 141; // banner, zero, 0x1A, five counts
constexpr std::size_t kTextStep = 65535;
constexpr std::int32_t kEmpty = 0;
constexpr std::int32_t kDeleted = -1;
constexpr std::int64_t kAbsent = -1;
constexpr std::int64_t kExhausted = -2;

std::uint32_t nextPrime(std::uint32_t size) {
    for (const std::uint32_t p : kPrimes)
        if (p > size)
            return p;
    return size;
}

std::uint32_t le32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(v >> (8 * i));
}

std::string banner() {
    std::string b;
    b.append(kUserBannerTitle).append(kPublisherLines).append(kBannerEnd);
    b += '\0';
    return b;
}

std::string_view bytesOf(const std::vector<std::int32_t>& table) {
    return {reinterpret_cast<const char*>(table.data()), 4 * table.size()};
}

} // namespace

TCustomDictionary::~TCustomDictionary() {
    if (!fileName_.empty() && loaded_ && modified_)
        Save();
}

std::size_t TCustomDictionary::KindIndex(Kind kind) {
    switch (kind) {
    case Kind::Added:
        return 0;
    case Kind::Excluded:
        return 1;
    default:
        return 2;
    }
}

std::uint64_t TCustomDictionary::Modulus::operator()(std::uint64_t x) const {
    __extension__ typedef unsigned __int128 Wide;
    const auto q = static_cast<std::uint64_t>((static_cast<Wide>(x) * m_) >> 64);
    const std::uint64_t r = x - q * d_;
    return r >= d_ ? r - d_ : r;
}

std::uint32_t TCustomDictionary::Hash(std::string_view word) const {
    const auto size = static_cast<std::uint32_t>(table_.size());
    if (hash_.size != size) {
        // The multipliers depend only on the table size and the position in the word.
        hash_.size = size;
        hash_.modulus = Modulus(size);
        hash_.factors.resize(kMaxEntryBytes);
        std::uint64_t b = 31415;
        for (auto& factor : hash_.factors) {
            factor = b;
            b = (b * 27183) % (size - 1);
        }
    }
    const Modulus& modSize = hash_.modulus;
    std::uint64_t h = 0;
    for (std::size_t i = 0; i < word.size(); ++i)
        h = modSize(h * hash_.factors[i] + static_cast<std::uint8_t>(word[i]));
    return static_cast<std::uint32_t>(h);
}

TCustomDictionary::FileStamp TCustomDictionary::StampOf(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0)
        return {};
    return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

bool TCustomDictionary::Open(const std::string& fileName) {
    WholeFile file;
    const WholeFile::Status status = file.open(fileName);
    if (status == WholeFile::Status::Ok) {
        std::string head(kUserBannerSize + 1, '\0');
        if (!file.readAt(head.data(), head.size(), 0) || head != banner())
            return false;
    } else if (status != WholeFile::Status::Missing) {
        return false;
    } else {
        const auto slash = fileName.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
        if (fileName.empty() || fileName.back() == '/' || ::access(folder.c_str(), W_OK) != 0)
            return false;
    }
    const bool wasLoaded = loaded_ && !fileName_.empty();
    if (!fileName_.empty())
        SetLoaded(false);
    else
        Empty();
    fileName_ = fileName;
    loaded_ = false;
    modified_ = false;
    if (wasLoaded)
        SetLoaded(true);
    return true;
}

void TCustomDictionary::SetLoaded(bool loaded) {
    if (fileName_.empty())
        return;
    if (loaded) {
        if (!loaded_)
            Load();
        return;
    }
    if (loaded_ && modified_)
        Save();
    Empty();
    loaded_ = false;
    modified_ = false;
}

void TCustomDictionary::EnsureLoaded() {
    if (!loaded_)
        Load();
}

// The writer's Clear: every entry goes, recorded as a removal, so that a merge with another
// program's later version of the file removes them there too instead of bringing them back.
void TCustomDictionary::Clear() {
    EnsureLoaded();
    for (const std::int32_t v : table_)
        if (v > 0)
            RecordRemove(static_cast<Kind>(text_[static_cast<std::size_t>(v) - 1]), WordAt(v));
    Edits edits = std::move(edits_);
    Empty();
    edits_ = std::move(edits);
    modified_ = true;
}

void TCustomDictionary::Empty() {
    text_.clear();
    text_.shrink_to_fit();
    table_.clear();
    counts_.fill(0);
    live_ = 0;
    for (auto& list : index_)
        list.clear();
    indexValid_ = false;
    edits_ = {};
}

void TCustomDictionary::ResetToEmpty() {
    Empty();
    loaded_ = true;
    modified_ = false;
    loadFailed_ = damaged_ = false;
}

void TCustomDictionary::Load() {
    ResetToEmpty();
    std::string bytes;
    stamp_ = StampOf(fileName_);
    const WholeFile::Status status = WholeFile::read(fileName_, bytes);
    if (status != WholeFile::Status::Ok) {
        if (status == WholeFile::Status::Missing) {
            stamp_ = {};
            modified_ = true;
        } else {
            loadFailed_ = damaged_ = stamp_.exists;
        }
        return;
    }
    switch (Parse(bytes)) {
    case Reading::Sound:
        break;
    case Reading::Salvaged:
        damaged_ = true;
        break;
    case Reading::Unreadable:
        Empty();
        loadFailed_ = damaged_ = true;
        break;
    }
}

// The sizes must add up to the file's size exactly before anything in it is believed: a header,
// the table of the size it gives, the text area's size and the text area, nothing more or less.
// A file whose sizes do not add up (bytes lost or inserted) cannot be read. Within a file whose
// sizes hold, each slot is checked against the text area, and the counts in the header against
// the entries found sound: a slot that points nowhere sensible becomes a deleted slot, so that
// the probe chains through it still hold, and the dictionary keeps what is sound.
TCustomDictionary::Reading TCustomDictionary::Parse(const std::string& bytes) {
    if (bytes.size() < kFixedHeader + 4 || bytes.compare(0, kUserBannerSize + 1, banner()) != 0)
        return Reading::Unreadable;
    const std::uint64_t size = le32(bytes.data() + 137);
    const std::uint64_t textAt = kFixedHeader + 4 * size + 4;
    if (textAt > bytes.size())
        return Reading::Unreadable;
    const std::uint64_t used = le32(bytes.data() + textAt - 4);
    if (used != bytes.size() - textAt || used > INT32_MAX)
        return Reading::Unreadable;

    text_.reserve((used / kTextStep + 1) * kTextStep);
    text_.assign(bytes, textAt, used);
    table_.resize(size);
    for (std::size_t i = 0; i < size; ++i)
        table_[i] = static_cast<std::int32_t>(le32(bytes.data() + kFixedHeader + 4 * i));

    bool sound = bytes[kUserBannerSize + 1] == '\x1A';
    for (std::int32_t& slot : table_) {
        if (slot == kEmpty || slot == kDeleted)
            continue;
        const auto v = static_cast<std::uint64_t>(slot);
        bool entrySound = slot > 0 && v < used;
        std::size_t kind = 0;
        if (entrySound) {
            const char type = text_[v - 1];
            entrySound = type == 'I' || type == 'E' || type == 'A';
            kind = KindIndex(static_cast<Kind>(type));
        }
        if (entrySound) {
            const auto end = text_.find('\0', v);
            entrySound = end != std::string::npos && end > v;
            if (entrySound && kind == 2) {
                const auto replacementEnd = text_.find('\0', end + 1);
                entrySound =
                    replacementEnd != std::string::npos && replacementEnd - v - 1 <= kMaxEntryBytes;
            } else if (entrySound) {
                entrySound = end - v <= kMaxEntryBytes;
            }
        }
        if (!entrySound) {
            slot = kDeleted;
            sound = false;
            continue;
        }
        ++counts_[kind];
        ++live_;
    }
    for (std::size_t k = 0; k < counts_.size(); ++k)
        sound = sound && le32(bytes.data() + kUserBannerSize + 2 + 4 * k) == counts_[k];
    sound = sound && le32(bytes.data() + kUserBannerSize + 14) == live_;
    if (table_.size() == 1)
        Rebuild(nextPrime(1));
    verified_ = false;
    return sound ? Reading::Sound : Reading::Salvaged;
}

std::string_view TCustomDictionary::WordAt(std::int32_t value) const {
    return std::string_view(text_.c_str() + value);
}

bool TCustomDictionary::WordEquals(std::int32_t value, std::string_view word) const {
    const auto v = static_cast<std::size_t>(value);
    return v + word.size() < text_.size() && text_[v + word.size()] == '\0' &&
           std::memcmp(text_.data() + v, word.data(), word.size()) == 0;
}

std::int64_t TCustomDictionary::Probe(std::string_view word) const {
    const auto size = static_cast<std::uint32_t>(table_.size());
    if (size < 2 || word.empty() || word.size() > kMaxEntryBytes)
        return kAbsent;
    std::uint32_t pos = Hash(word);
    const std::uint32_t step = pos % 97 + 1;
    for (std::uint64_t probes = 0; probes <= size; ++probes) {
        const std::int32_t v = table_[pos];
        if (v == kEmpty)
            return kAbsent;
        if (v > 0 && WordEquals(v, word))
            return pos;
        pos = static_cast<std::uint32_t>((std::uint64_t(pos) + step) % size);
    }
    return kExhausted;
}

std::int64_t TCustomDictionary::FindSlot(std::string_view word) {
    const std::int64_t slot = Probe(word);
    if (slot != kExhausted)
        return slot;
    // Every slot is live or deleted: clear out the deleted ones.
    Rebuild(static_cast<std::uint32_t>(table_.size()));
    return kAbsent;
}

bool TCustomDictionary::Insert(std::int32_t value) {
    const auto size = static_cast<std::uint32_t>(table_.size());
    std::uint32_t pos = Hash(WordAt(value));
    const std::uint32_t step = pos % 97 + 1;
    for (std::uint64_t probes = 0; probes <= size; ++probes) {
        if (table_[pos] == kEmpty) {
            table_[pos] = value;
            return true;
        }
        pos = static_cast<std::uint32_t>((std::uint64_t(pos) + step) % size);
    }
    return false;
}

void TCustomDictionary::Rebuild(std::uint32_t size, bool dropDuplicates) {
    std::vector<std::int32_t> entries;
    entries.reserve(live_);
    std::unordered_set<std::string_view> seen;
    if (dropDuplicates) {
        counts_.fill(0);
        live_ = 0;
    }
    for (const std::int32_t v : table_) {
        if (v <= 0 || (dropDuplicates && !seen.insert(WordAt(v)).second))
            continue;
        entries.push_back(v);
        if (dropDuplicates) {
            ++counts_[KindIndex(static_cast<Kind>(text_[static_cast<std::size_t>(v) - 1]))];
            ++live_;
        }
    }
    const std::uint64_t needed = std::uint64_t(live_) * 4;
    if (needed >= size)
        size = std::max(size, nextPrime(static_cast<std::uint32_t>(
                                  std::min<std::uint64_t>(needed, UINT32_MAX))));
    for (;;) {
        table_.assign(std::max<std::uint32_t>(size, 2), kEmpty);
        bool placed = true;
        for (const std::int32_t v : entries)
            if (!(placed = Insert(v)))
                break;
        const std::uint32_t larger = nextPrime(size);
        if (placed || larger == size)
            break;
        size = larger;
    }
    indexValid_ = false;
}

bool TCustomDictionary::Has(Kind kind, std::string_view word) {
    EnsureLoaded();
    const std::int64_t slot = FindSlot(word);
    return slot >= 0 &&
           text_[static_cast<std::size_t>(table_[slot]) - 1] == static_cast<char>(kind);
}

bool TCustomDictionary::FindPair(std::string_view word, std::string& replacement) {
    EnsureLoaded();
    const std::int64_t slot = FindSlot(word);
    if (slot < 0 || text_[static_cast<std::size_t>(table_[slot]) - 1] != 'A')
        return false;
    // A pair with nothing to put in place of its word would delete the word wherever it is
    // met: such a pair (written by another program) stays in the file but is never applied.
    const std::string_view found =
        WordAt(table_[slot] + static_cast<std::int32_t>(word.size()) + 1);
    if (found.empty())
        return false;
    replacement.assign(found);
    return true;
}

bool TCustomDictionary::Add(Kind kind, std::string_view word, std::string_view replacement) {
    EnsureLoaded();
    if (word.empty() || (kind == Kind::Pair && replacement.empty()) ||
        word.size() + replacement.size() > kMaxEntryBytes ||
        word.find('\0') != std::string_view::npos ||
        replacement.find('\0') != std::string_view::npos || FindSlot(word) >= 0)
        return false;
    const std::size_t record =
        1 + word.size() + 1 + (kind == Kind::Pair ? replacement.size() + 1 : 0);
    if (text_.size() + record > INT32_MAX)
        return false;
    if (text_.size() + record > text_.capacity())
        text_.reserve((text_.size() + record) / kTextStep * kTextStep + kTextStep);
    const auto value = static_cast<std::int32_t>(text_.size() + 1);
    text_ += static_cast<char>(kind);
    text_.append(word);
    text_ += '\0';
    if (kind == Kind::Pair) {
        text_.append(replacement);
        text_ += '\0';
    }
    ++live_;
    if (std::uint64_t(live_) * 4 >= table_.size())
        Rebuild(nextPrime(static_cast<std::uint32_t>(table_.size())));
    if (!Insert(value)) {
        // Deleted slots filled the probe chain: drop them and try again.
        Rebuild(static_cast<std::uint32_t>(table_.size()));
        if (!Insert(value)) {
            Rebuild(nextPrime(static_cast<std::uint32_t>(table_.size())));
            Insert(value);
        }
    }
    const std::size_t k = KindIndex(kind);
    if (indexValid_)
        index_[k].push_back(value);
    RecordAdd(kind, word, replacement);
    modified_ = true;
    ++counts_[k];
    return true;
}

bool TCustomDictionary::Remove(Kind kind, std::string_view word) {
    EnsureLoaded();
    const std::int64_t slot = FindSlot(word);
    if (slot < 0 || text_[static_cast<std::size_t>(table_[slot]) - 1] != static_cast<char>(kind))
        return false;
    table_[slot] = kDeleted;
    indexValid_ = false;
    --live_;
    --counts_[KindIndex(kind)];
    RecordRemove(kind, word);
    modified_ = true;
    return true;
}

// The replay runs removals before additions, so a removal followed by an addition of the same
// word needs no bookkeeping (the removal must stay: "remove teh→the, add teh→tea" replaces the
// pair). A removal cancels an earlier addition instead, which would otherwise come back.
void TCustomDictionary::RecordAdd(Kind kind, std::string_view word, std::string_view replacement) {
    if (fileName_.empty())
        return;
    const std::size_t k = KindIndex(kind);
    edits_.added[k].emplace_back(word);
    if (kind == Kind::Pair)
        edits_.addedReplacements.emplace_back(replacement);
}

void TCustomDictionary::RecordRemove(Kind kind, std::string_view word) {
    if (fileName_.empty())
        return;
    const std::size_t k = KindIndex(kind);
    auto& added = edits_.added[k];
    for (std::size_t i = added.size(); i-- > 0;) {
        if (added[i] == word) {
            added.erase(added.begin() + static_cast<std::ptrdiff_t>(i));
            if (kind == Kind::Pair)
                edits_.addedReplacements.erase(edits_.addedReplacements.begin() +
                                               static_cast<std::ptrdiff_t>(i));
        }
    }
    edits_.removed[k].emplace_back(word);
}

void TCustomDictionary::Replay(const Edits& edits) {
    constexpr Kind kinds[] = {Kind::Added, Kind::Excluded, Kind::Pair};
    for (const Kind kind : kinds)
        for (const auto& word : edits.removed[KindIndex(kind)])
            Remove(kind, word);
    for (const Kind kind : kinds) {
        const auto& added = edits.added[KindIndex(kind)];
        for (std::size_t i = 0; i < added.size(); ++i)
            Add(kind, added[i], kind == Kind::Pair ? edits.addedReplacements[i] : "");
    }
}

bool TCustomDictionary::Save() {
    if (fileName_.empty())
        return false;
    EnsureLoaded();
    const FileStamp now = StampOf(fileName_);
    bool written;
    if (!now.exists || now == stamp_) {
        written = WriteFile();
    } else {
        // Another program wrote the file since it was loaded: apply this session's edits to
        // its version and take the merged result as this dictionary's contents.
        TCustomDictionary fresh;
        fresh.fileName_ = fileName_;
        fresh.Load();
        if (fresh.loadFailed_ || !fresh.stamp_.exists) {
            // Nothing sound to merge onto (another program left the file half-written, or it
            // vanished): a replay onto nothing would drop every word loaded earlier. Write this
            // dictionary's own contents and keep the unreadable file aside.
            loadFailed_ = fresh.loadFailed_;
            damaged_ = fresh.damaged_;
            fresh.fileName_.clear();
            written = WriteFile();
        } else {
            fresh.Replay(edits_);
            written = fresh.WriteFile();
            std::swap(text_, fresh.text_);
            std::swap(table_, fresh.table_);
            counts_ = fresh.counts_;
            live_ = fresh.live_;
            stamp_ = fresh.stamp_;
            loadFailed_ = fresh.loadFailed_;
            damaged_ = fresh.damaged_;
            verified_ = fresh.verified_;
            indexValid_ = false;
            fresh.fileName_.clear();
        }
    }
    if (written) {
        modified_ = false;
        edits_ = {};
    }
    return written;
}

bool TCustomDictionary::WriteFile() {
    std::string head = banner();
    head += '\x1A';
    for (const std::uint32_t c : counts_)
        put32(head, c);
    put32(head, live_);
    put32(head, static_cast<std::uint32_t>(table_.size()));
    std::string table;
    if constexpr (std::endian::native != std::endian::little) {
        for (const std::int32_t slot : table_)
            put32(table, static_cast<std::uint32_t>(slot));
    }
    std::string used;
    put32(used, static_cast<std::uint32_t>(text_.size()));

    // A damaged file is kept beside the new one rather than overwritten; when not even that can
    // be done, it stays where it is.
    if (damaged_) {
        std::string damaged;
        if (WholeFile::read(fileName_, damaged) != WholeFile::Status::Ok ||
            DamagedCopies::keep(fileName_, damaged).empty())
            return false;
    }
    AtomicFile file(fileName_);
    if (!file.open() || !file.write(head) ||
        !file.write(table.empty() ? bytesOf(table_) : std::string_view(table)) ||
        !file.write(used) || !file.write(text_) || !file.commit())
        return false;
    const struct stat& st = file.written();
    stamp_ = {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    loadFailed_ = damaged_ = false;
    return true;
}

bool TCustomDictionary::LoadWordList(const std::string& path) {
    if (!fileName_.empty())
        SetLoaded(false);
    fileName_.clear();
    ResetToEmpty();
    std::string bytes;
    if (WholeFile::read(path, bytes) != WholeFile::Status::Ok)
        return false;
    std::size_t unrepresentable = 0;
    for (const std::string& word : SplitWordList(bytes, unrepresentable))
        AddWord(word);
    modified_ = false;
    return true;
}

// Each entry must lie where a lookup of its word finds it. A damaged table (an entry off its
// probe path, a word stored twice) is rebuilt before the entries are listed or counted, so that
// nothing listed is out of reach. Lookups need no such check: such an entry reads as absent.
void TCustomDictionary::Verify() {
    EnsureLoaded();
    if (verified_)
        return;
    verified_ = true;
    bool sound = std::uint64_t(live_) * 4 < std::max<std::size_t>(table_.size(), 1);
    for (std::size_t i = 0; sound && i < table_.size(); ++i)
        sound = table_[i] <= 0 || Probe(WordAt(table_[i])) == static_cast<std::int64_t>(i);
    if (!sound)
        Rebuild(static_cast<std::uint32_t>(table_.size()), true);
}

std::size_t TCustomDictionary::Count(Kind kind) {
    Verify();
    return counts_[KindIndex(kind)];
}

void TCustomDictionary::BuildIndex() {
    for (auto& list : index_)
        list.clear();
    for (const std::int32_t v : table_)
        if (v > 0)
            index_[KindIndex(static_cast<Kind>(text_[static_cast<std::size_t>(v) - 1]))].push_back(
                v);
    indexValid_ = true;
}

std::string_view TCustomDictionary::Word(Kind kind, std::size_t index) {
    Verify();
    if (!indexValid_)
        BuildIndex();
    const auto& list = index_[KindIndex(kind)];
    return index < list.size() ? WordAt(list[index]) : std::string_view{};
}

std::string_view TCustomDictionary::Replacement(std::size_t pairIndex) {
    const std::string_view word = Word(Kind::Pair, pairIndex);
    if (word.empty())
        return {};
    return WordAt(index_[2][pairIndex] + static_cast<std::int32_t>(word.size()) + 1);
}

} // namespace kerfa::spelling
