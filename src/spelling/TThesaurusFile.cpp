#include "spelling/TThesaurusFile.h"

#include "spelling/CodePageCase.h"

#include <sys/stat.h>

namespace kerfa::spelling {

namespace {

std::uint32_t le16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t le32(const std::uint8_t* p) {
    return le16(p) | le16(p + 2) << 16;
}

bool isUpperLetter(char c) {
    const auto b = static_cast<std::uint8_t>(c);
    return cp1252::toLower(b) != b;
}

void recase(std::string& word, bool allUpper) {
    if (allUpper)
        word = UpperCase(word);
    else if (!word.empty())
        word[0] = static_cast<char>(cp1252::toUpper(static_cast<std::uint8_t>(word[0])));
}

} // namespace

void TThesaurusFile::SetFileName(const std::string& fileName) {
    struct stat st {};
    if (fileName == fileName_ || ::stat(fileName.c_str(), &st) != 0)
        return;
    const bool wasLoaded = IsLoaded();
    Unload();
    fileName_ = fileName;
    if (wasLoaded)
        SetLoaded(true);
}

void TThesaurusFile::Unload() {
    file_.Unmap();
    layout_ = ThesaurusLayout::Narrow();
    name_.clear();
    kindNames_ = {};
    nodeCount_ = entryCount_ = 0;
    nodes_ = links_ = entries_ = lists_ = nullptr;
    linkSize_ = listSize_ = 0;
}

bool TThesaurusFile::SetLoaded(bool loaded) {
    if (!loaded) {
        Unload();
        return true;
    }
    if (IsLoaded())
        return true;
    if (fileName_.empty() || !file_.Map(fileName_, kThesaurusHeaderSize + 1))
        return false;

    const std::uint8_t* data = file_.Data();
    const std::uint64_t size = file_.Size();
    const std::string_view header(reinterpret_cast<const char*>(data), kThesaurusHeaderSize);
    const std::size_t bannerSize = kThesaurusBannerTitle.size() + kPublisherLines.size();
    const bool wide = header.starts_with(kThesaurusBannerTitle) &&
                      header.substr(kThesaurusBannerTitle.size()).starts_with(kPublisherLines) &&
                      header.substr(bannerSize).starts_with(kWideLayoutLine);
    layout_ = wide ? ThesaurusLayout::Wide() : ThesaurusLayout::Narrow();

    std::uint64_t at = kThesaurusHeaderSize;
    const auto text = [&](std::string& out) {
        if (at >= size || at + 1 + data[at] > size)
            return false;
        out.assign(reinterpret_cast<const char*>(data + at + 1), data[at]);
        at += 1 + data[at];
        return true;
    };
    const auto count = [&](std::size_t width, std::uint64_t& value) {
        if (at + width > size)
            return false;
        value = width == 2 ? le16(data + at) : le32(data + at);
        at += width;
        return true;
    };
    // A section of `records` records of `recordSize` bytes that must lie inside the file.
    const auto section = [&](std::uint64_t records, std::size_t recordSize,
                             const std::uint8_t*& start) {
        if (records > (size - at) / recordSize)
            return false;
        start = data + at;
        at += records * recordSize;
        return true;
    };

    bool ok = text(name_);
    for (std::string& kind : kindNames_)
        ok = ok && text(kind);
    std::uint64_t nodes = 0, linkSize = 0, entries = 0, listSize = 0;
    ok = ok && count(4, nodes) && nodes > 0 && section(nodes, layout_.nodeSize, nodes_) &&
         count(4, linkSize) && section(linkSize, 1, links_) &&
         count(layout_.entryCountSize, entries) && section(entries, layout_.entrySize, entries_) &&
         count(4, listSize) && section(listSize, 1, lists_);
    if (!ok) {
        Unload();
        return false;
    }
    nodeCount_ = static_cast<std::uint32_t>(nodes);
    entryCount_ = static_cast<std::uint32_t>(entries);
    linkSize_ = linkSize;
    listSize_ = listSize;
    return true;
}

std::uint32_t TThesaurusFile::Number(const std::uint8_t* p) const {
    return layout_.numberSize == 2 ? le16(p) : le32(p);
}

bool TThesaurusFile::ReadNode(std::uint32_t index, Node& node) const {
    if (index >= nodeCount_)
        return false;
    const std::uint8_t* p = nodes_ + std::uint64_t(index) * layout_.nodeSize;
    if (layout_.wide) {
        node = {le32(p), static_cast<std::uint8_t>(p[4] & 0x0F), p[5]};
    } else {
        const std::uint32_t v = le32(p);
        node = {v & 0xFFFFF, static_cast<std::uint8_t>((v >> 20) & 0x0F),
                static_cast<std::uint8_t>(v >> 24)};
    }
    return true;
}

bool TThesaurusFile::ReadLinks(const Node& node, Links& links) const {
    const std::uint64_t width = layout_.numberSize;
    std::uint64_t at = node.link;
    links = {};
    if (node.flags & kNodeOneChild) {
        links.childCount = 1;
    } else {
        if (at >= linkSize_)
            return false;
        links.childCount = links_[at++];
    }
    links.childrenAt = at;
    at += links.childCount * width;
    if (node.flags & kNodeHasParent) {
        if (at + width > linkSize_)
            return false;
        links.parent = Number(links_ + at);
        at += width;
    }
    if (node.flags & (kNodeWordEnd | kNodeChainStart)) {
        if (at >= linkSize_)
            return false;
        links.refCount = links_[at++];
        links.refsAt = at;
        at += links.refCount * width;
    }
    return at <= linkSize_;
}

std::optional<std::uint32_t> TThesaurusFile::Child(const Links& links, std::uint32_t i) const {
    const std::uint32_t child = Number(links_ + links.childrenAt + i * layout_.numberSize);
    if (child >= nodeCount_)
        return std::nullopt;
    return child;
}

std::optional<std::string> TThesaurusFile::Chain(const Node& start, std::size_t limit) const {
    std::string chain;
    Node node = start;
    Links links;
    while (ReadLinks(node, links)) {
        if (links.childCount == 0)
            return chain;
        const auto child = Child(links, 0);
        if (!child || chain.size() == limit || !ReadNode(*child, node))
            return std::nullopt;
        chain += static_cast<char>(node.ch);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> TThesaurusFile::FindNode(std::string_view word) const {
    std::uint32_t current = 0;
    Node node;
    Links links;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (!ReadNode(current, node) || !ReadLinks(node, links))
            return std::nullopt;
        bool found = false;
        for (std::uint32_t c = 0; c < links.childCount && !found; ++c) {
            const auto child = Child(links, c);
            if (child && ReadNode(*child, node) && node.ch == static_cast<std::uint8_t>(word[i])) {
                current = *child;
                found = true;
            }
        }
        if (!found)
            return std::nullopt;
        const std::string_view rest = word.substr(i + 1);
        // A chain start holds the meanings of the one word that runs down its chain. Where a
        // damaged or foreign file also marks it as a word end, the shorter word ending there
        // is not given the longer one's meanings.
        if (node.flags & kNodeChainStart) {
            const auto chain = Chain(node, rest.size() + 1);
            if (chain && *chain == rest)
                return current;
            return std::nullopt;
        }
        if (rest.empty())
            return node.flags & kNodeWordEnd ? std::optional(current) : std::nullopt;
    }
    return std::nullopt;
}

std::vector<std::uint32_t> TThesaurusFile::References(std::uint32_t index) const {
    std::vector<std::uint32_t> refs;
    Node node;
    Links links;
    if (!ReadNode(index, node) || !ReadLinks(node, links))
        return refs;
    for (std::uint32_t i = 0; i < links.refCount; ++i)
        refs.push_back(Number(links_ + links.refsAt + i * layout_.numberSize));
    return refs;
}

std::optional<std::string> TThesaurusFile::WordOf(std::uint32_t index) const {
    Node start;
    if (index == 0 || !ReadNode(index, start))
        return std::nullopt;
    // Towards the root, one character per node; a walk longer than any word is a cycle.
    std::string reversed;
    Node node = start;
    Links links;
    for (std::uint32_t current = index; current != 0;) {
        if (reversed.size() == kMaxWordLength || !ReadLinks(node, links) || !links.parent)
            return std::nullopt;
        reversed += static_cast<char>(node.ch);
        current = *links.parent;
        if (!ReadNode(current, node))
            return std::nullopt;
    }
    std::string word(reversed.rbegin(), reversed.rend());
    if (start.flags & kNodeChainStart) {
        const auto chain = Chain(start, kMaxWordLength - word.size());
        if (!chain)
            return std::nullopt;
        word += *chain;
    }
    return word;
}

bool TThesaurusFile::ReadEntry(std::uint32_t reference, TThesaurusEntry& entry) const {
    const std::uint32_t index = reference / kKinds;
    if (index >= entryCount_)
        return false;
    const std::uint64_t width = layout_.numberSize;
    const std::uint8_t* p = entries_ + std::uint64_t(index) * layout_.entrySize;
    const std::uint32_t head = Number(p);
    std::array<std::uint32_t, kLists> lengths{};
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < kLists; ++i)
        total += lengths[i] = le16(p + width + 2 * i);
    std::uint64_t at = le32(p + width + 2 * kLists);
    if (at > listSize_ || total > (listSize_ - at) / width)
        return false;
    auto headWord = WordOf(head);
    if (!headWord)
        return false;

    entry.headWord = std::move(*headWord);
    entry.kind = static_cast<int>(reference % kKinds);
    entry.kindName = kindNames_[entry.kind];
    for (std::size_t i = 0; i < kLists; ++i) {
        auto& list = entry.lists[i];
        list.clear();
        for (std::uint32_t j = 0; j < lengths[i]; ++j, at += width)
            if (auto word = WordOf(Number(lists_ + at)))
                list.push_back(std::move(*word));
    }
    return true;
}

bool TThesaurusFile::Lookup(std::string_view word, std::vector<TThesaurusEntry>& meanings) const {
    meanings.clear();
    if (!IsLoaded() || word.empty() || word.size() > kMaxWordLength)
        return false;
    const auto collect = [&](std::string_view w) {
        if (const auto node = FindNode(w)) {
            for (const std::uint32_t ref : References(*node)) {
                TThesaurusEntry entry;
                if (ReadEntry(ref, entry))
                    meanings.push_back(std::move(entry));
            }
        }
    };
    collect(word);
    if (!meanings.empty())
        return true;
    const std::string lower = LowerCase(word);
    if (lower == word)
        return false;
    collect(lower);
    const bool allUpper = UpperCase(word) == word;
    if (allUpper || isUpperLetter(word[0])) {
        for (TThesaurusEntry& entry : meanings) {
            recase(entry.headWord, allUpper);
            for (auto& list : entry.lists)
                for (std::string& w : list)
                    recase(w, allUpper);
        }
    }
    return !meanings.empty();
}

} // namespace kerfa::spelling
