#pragma once
// TThesaurusFile: a read-only thesaurus (".adt"): a letter tree of words whose nodes carry the
// word's meaning references, and entries that give each meaning a head word and four lists of
// words (node numbers, read back by walking the tree towards the root). Both layouts of
// ThesaurusFormat.h are read.
//
// Words are 8-bit text in Windows-1252. The file is mapped read-only while loaded. Every node
// number, offset, count and entry number is checked against the file before it is followed,
// and walks along parent references and packed chains are bounded, so a damaged file can only
// make words unknown or meanings shorter, never read outside the file or loop for ever.

#include "spelling/MappedFile.h"
#include "spelling/TThesaurusEntry.h"
#include "spelling/ThesaurusFormat.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

class TThesaurusFile {
public:
    // Longest word read back from the tree; longer walks mean a damaged file.
    static constexpr std::size_t kMaxWordLength = 255;

    TThesaurusFile() = default;
    TThesaurusFile(const TThesaurusFile&) = delete;
    TThesaurusFile& operator=(const TThesaurusFile&) = delete;

    // Taken only when it differs from the current name and the file exists. A loaded thesaurus
    // is loaded again from the new file.
    void SetFileName(const std::string& fileName);
    const std::string& FileName() const { return fileName_; }

    // Loads (maps and checks the file's sections) or unloads. False when the file is missing,
    // cannot be read or is too short for its own sections; it then stays unloaded.
    bool SetLoaded(bool loaded);
    bool IsLoaded() const { return file_.IsMapped(); }

    // Fills the meanings of a word, in stored order. A word that is absent, or present without
    // meanings (only in lists), is tried again in lower case, and the results are then
    // re-cased like the word: all upper case, or an initial capital. False when nothing was
    // found.
    bool Lookup(std::string_view word, std::vector<TThesaurusEntry>& meanings) const;

    // Known while loaded.
    const std::string& Name() const { return name_; }
    const std::string& KindName(int kind) const { return kindNames_.at(kind); }
    bool IsWide() const { return layout_.wide; }
    std::uint32_t NodeCount() const { return nodeCount_; }
    std::uint32_t EntryCount() const { return entryCount_; }

private:
    struct Node {
        std::uint32_t link = 0;
        std::uint8_t flags = 0;
        std::uint8_t ch = 0;
    };
    // The parts of a node's link record, as offsets into the link area.
    struct Links {
        std::uint32_t childCount = 0;
        std::uint64_t childrenAt = 0;
        std::optional<std::uint32_t> parent;
        std::uint32_t refCount = 0;
        std::uint64_t refsAt = 0;
    };

    void Unload();
    std::uint32_t Number(const std::uint8_t* p) const;
    bool ReadNode(std::uint32_t index, Node& node) const;
    bool ReadLinks(const Node& node, Links& links) const;
    std::optional<std::uint32_t> Child(const Links& links, std::uint32_t i) const;
    // The characters of the packed chain below a node, at most `limit` of them.
    std::optional<std::string> Chain(const Node& start, std::size_t limit) const;
    std::optional<std::uint32_t> FindNode(std::string_view word) const;
    std::vector<std::uint32_t> References(std::uint32_t node) const;
    std::optional<std::string> WordOf(std::uint32_t node) const;
    bool ReadEntry(std::uint32_t reference, TThesaurusEntry& entry) const;

    std::string fileName_;
    MappedFile file_;
    ThesaurusLayout layout_;
    std::string name_;
    std::array<std::string, kKinds> kindNames_;
    std::uint32_t nodeCount_ = 0;
    std::uint32_t entryCount_ = 0;
    const std::uint8_t* nodes_ = nullptr;
    const std::uint8_t* links_ = nullptr;
    std::uint64_t linkSize_ = 0;
    const std::uint8_t* entries_ = nullptr;
    const std::uint8_t* lists_ = nullptr;
    std::uint64_t listSize_ = 0;
};

} // namespace kerfa::spelling
