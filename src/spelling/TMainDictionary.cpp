#include "spelling/TMainDictionary.h"

#include "common/Cp1252.h"
#include "common/WholeFile.h"
#include "spelling/DictionaryBanner.h"

#include <algorithm>
#include <cstring>

namespace kerfa::spelling {

namespace {

constexpr std::uint64_t kHeaderBlock = 1024;
constexpr std::uint64_t kTableBlocks = 2048 + 1024; // first-letter table and trailer
constexpr std::uint32_t kNoChildren = 0xFFFFF;
constexpr std::uint32_t kWideRefNodes = 65535;

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// UTF-16LE to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16leToUtf8(const std::uint8_t* p, std::size_t units) {
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t u = p[2 * i] | p[2 * i + 1] << 8;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char32_t low = p[2 * i + 2] | p[2 * i + 3] << 8;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            u = 0xFFFD;
        cp1252::appendUtf8(out, u);
    }
    return out;
}

} // namespace

void TMainDictionary::Reset() {
    file_.Unmap();
    decoded_.clear();
    linkage_ = nullptr;
    linkageSize_ = 0;
    fileName_.clear();
    title_.clear();
    language_ = wordCount_ = nodeCount_ = 0;
    tableStart_.fill(0);
    firstNode_.fill(0);
    wideRefs_ = false;
}

bool TMainDictionary::Open(const std::string& fileName) {
    const bool wasMapped = file_.IsMapped();
    Reset();
    wordsFound_ = 0;

    WholeFile file;
    if (file.open(fileName) != WholeFile::Status::Ok || file.size() <= kHeaderBlock)
        return false;
    // Header block, title length, the longest title, then 12 + 36 bytes of counts.
    std::array<std::uint8_t, kHeaderBlock + 1 + 2 * 255 + 2 + 48> head{};
    const std::uint64_t fileSize = file.size();
    const std::size_t available =
        static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, head.size()));
    if (!file.readAt(head.data(), available, 0))
        return false;
    file.close();

    const std::string_view banner(reinterpret_cast<const char*>(head.data()), kMainBannerSize);
    if (banner.substr(0, kMainBannerTitle.size()) != kMainBannerTitle ||
        banner.substr(kMainBannerTitle.size(), kPublisherLines.size()) != kPublisherLines ||
        banner.substr(kMainBannerSize - kBannerEnd.size()) != kBannerEnd)
        return false;

    const std::size_t titleLength = head[kHeaderBlock];
    const std::size_t countsAt = kHeaderBlock + 1 + 2 * titleLength + 2;
    if (countsAt + 48 > available)
        return false;
    const std::uint8_t* p = head.data() + countsAt;
    title_ = utf16leToUtf8(head.data() + kHeaderBlock + 1, titleLength);
    language_ = le32(p);
    wordCount_ = le32(p + 4);
    nodeCount_ = le32(p + 8);
    tableStart_[0] = countsAt + 48;
    for (std::size_t k = 0; k < 9; ++k) {
        const std::uint64_t count = le32(p + 12 + 4 * k);
        tableStart_[k + 1] = tableStart_[k] + count * (4 + k);
        firstNode_[k + 1] = firstNode_[k] + count;
    }
    if (tableStart_[9] + 4 + kTableBlocks > fileSize) {
        Reset();
        return false;
    }
    wideRefs_ = nodeCount_ >= kWideRefNodes;
    fileName_ = fileName;
    if (wasMapped)
        SetLoaded(true);
    return true;
}

bool TMainDictionary::SetLoaded(bool loaded) {
    if (!loaded) {
        file_.Unmap();
        decoded_.clear();
        decoded_.shrink_to_fit();
        linkage_ = nullptr;
        linkageSize_ = 0;
        return true;
    }
    if (file_.IsMapped())
        return true;
    if (fileName_.empty() || !file_.Map(fileName_, tableStart_[9] + 4 + 1))
        return false;
    const std::uint64_t size = file_.Size();
    const std::uint64_t linkageSize = le32(file_.Data() + tableStart_[9]);
    if (size < tableStart_[9] + 4 + linkageSize + kTableBlocks) {
        file_.Unmap();
        return false;
    }
    linkage_ = file_.Data() + tableStart_[9] + 4;
    linkageSize_ = linkageSize;
    std::memcpy(firstLetters_.data(), linkage_ + linkageSize, firstLetters_.size());
    std::memcpy(trailer_.data(), linkage_ + linkageSize + firstLetters_.size(), trailer_.size());
    // A sound file decodes each node at most twice (the second letters and all below them once
    // under the first-letter table, once under the root), plus the root and 256 first-letter
    // entries; a damaged one that links back into itself could otherwise decode the same nodes
    // again and again.
    decodeLimit_ = 2 * std::uint64_t(firstNode_[9]) + 257;
    // Room for what the first lookups of a check decode, instead of growing a step at a time.
    decoded_.clear();
    decoded_.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(decodeLimit_, 4096)));
    Node root;
    if (ReadNode(0, root))
        decoded_.push_back({0, static_cast<std::uint32_t>(root.extras - file_.Data()), 0, 0,
                            root.Char(), 0, false, false});
    firstLetterNode_.fill(kNoNode);
    return true;
}

bool TMainDictionary::EnsureMapped() {
    return file_.IsMapped() || SetLoaded(true);
}

bool TMainDictionary::ReadNode(std::uint64_t index, Node& node) const {
    if (index >= firstNode_[9])
        return false;
    std::uint32_t k = 0;
    while (index >= firstNode_[k + 1])
        ++k;
    const std::uint8_t* p = file_.Data() + tableStart_[k] + (index - firstNode_[k]) * (4 + k);
    node.value = le32(p);
    node.extras = p + 4;
    node.extraCount = k;
    return true;
}

bool TMainDictionary::ReadRef(std::uint64_t& offset, std::uint32_t& ref) const {
    if (offset >= linkageSize_)
        return false;
    const std::uint8_t* p = linkage_ + offset;
    if (!wideRefs_) {
        if (offset + 2 > linkageSize_)
            return false;
        ref = p[0] | p[1] << 8;
        offset += 2;
        return true;
    }
    const std::uint64_t length = (p[0] & 0x80) ? 2 : 3;
    if (offset + length > linkageSize_)
        return false;
    ref = length == 2 ? (p[0] & 0x7Fu) << 8 | p[1] : std::uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
    offset += length;
    return true;
}

TMainDictionary::Children TMainDictionary::ChildrenOf(const Node& node) const {
    const std::uint32_t ref = (node.value >> 8) & 0xFFFFF;
    const std::uint32_t count = (node.value >> 28) & 7;
    if (count == 1)
        return {1, true, ref};
    if (count > 1)
        return {count, false, ref};
    if (ref == kNoChildren || ref >= linkageSize_)
        return {};
    return {linkage_[ref], false, ref + 1};
}

TMainDictionary::Children TMainDictionary::FirstLetterChildren(std::uint8_t letter) const {
    const std::uint8_t* entry = firstLetters_.data() + 8 * letter;
    const std::uint32_t count = entry[1];
    return {count, count == 1, le32(entry + 4)};
}

std::uint32_t TMainDictionary::DecodeChildren(const Children& children, std::uint16_t& count) {
    const auto first = static_cast<std::uint32_t>(decoded_.size());
    count = 0;
    if (decoded_.size() + children.count > decodeLimit_)
        return first;
    std::uint64_t offset = children.ref;
    for (std::uint32_t i = 0; i < children.count; ++i) {
        std::uint32_t ref = children.ref;
        if (!children.direct && !ReadRef(offset, ref))
            break;
        Node node;
        if (!ReadNode(ref, node))
            continue;
        decoded_.push_back({0, static_cast<std::uint32_t>(node.extras - file_.Data()), ref, 0,
                            node.Char(), static_cast<std::uint8_t>(node.extraCount),
                            node.EndsWord(), false});
    }
    count = static_cast<std::uint16_t>(decoded_.size() - first);
    return first;
}

void TMainDictionary::DecodeChildrenOf(std::uint32_t index) {
    if (decoded_[index].childrenDecoded)
        return;
    Node node;
    Children children;
    if (ReadNode(decoded_[index].node, node))
        children = ChildrenOf(node);
    std::uint16_t count = 0;
    const std::uint32_t first = DecodeChildren(children, count);
    Decoded& d = decoded_[index];
    d.firstChild = first;
    d.childCount = count;
    d.childrenDecoded = true;
}

std::uint32_t TMainDictionary::FirstLetterNode(std::uint8_t letter) {
    if (firstLetterNode_[letter] == kNoNode) {
        std::uint16_t count = 0;
        const std::uint32_t first = DecodeChildren(FirstLetterChildren(letter), count);
        firstLetterNode_[letter] = static_cast<std::uint32_t>(decoded_.size());
        Decoded pseudo;
        pseudo.firstChild = first;
        pseudo.childCount = count;
        pseudo.ch = letter;
        pseudo.endsWord = firstLetters_[8 * letter] != 0;
        pseudo.childrenDecoded = true;
        decoded_.push_back(pseudo);
    }
    return firstLetterNode_[letter];
}

std::uint32_t TMainDictionary::FindDecoded(std::uint32_t parent, std::uint8_t ch) {
    DecodeChildrenOf(parent);
    const Decoded& p = decoded_[parent];
    const Decoded* child = decoded_.data() + p.firstChild;
    for (std::uint32_t i = 0; i < p.childCount; ++i)
        if (child[i].ch == ch)
            return p.firstChild + i;
    return kNoNode;
}

TMainDictionary::Match TMainDictionary::Contains(std::string_view word) {
    if (word.empty() || !EnsureMapped() || decoded_.empty())
        return {};
    const auto* w = reinterpret_cast<const std::uint8_t*>(word.data());
    const std::size_t m = word.size();
    const std::uint8_t* entry = firstLetters_.data() + 8 * w[0];
    if (entry[0] == 0 && entry[1] == 0)
        return {};
    if (m == 1)
        return {entry[0] != 0, 1};
    std::uint32_t index = FirstLetterNode(w[0]);
    std::size_t i = 1;
    const std::uint8_t* data = file_.Data();
    for (;;) {
        const std::uint32_t child = FindDecoded(index, w[i]);
        if (child == kNoNode)
            return {false, i};
        const Decoded& d = decoded_[child];
        if (++i == m)
            return {d.endsWord, i};
        const std::uint8_t* extras = data + d.extrasAt;
        for (std::uint32_t j = 0; j < d.extraCount; ++j, ++i) {
            if (i == m || w[i] != extras[j])
                return {false, i};
        }
        if (i == m)
            return {false, i};
        index = child;
    }
}

void TMainDictionary::EnumeratePrefix(std::string_view prefix, const Visitor& visitor) {
    WalkPrefix(prefix, [&visitor](std::string_view path, bool endsWord) {
        return !(endsWord && visitor(path) == Visit::Stop);
    });
}

void TMainDictionary::WalkPrefix(std::string_view prefix, const NodeVisitor& visitor) {
    if (!EnsureMapped() || decoded_.empty())
        return;
    std::uint32_t index = 0;
    std::string path;
    std::size_t i = 0;
    while (i < prefix.size()) {
        index = FindDecoded(index, static_cast<std::uint8_t>(prefix[i]));
        if (index == kNoNode)
            return;
        path += prefix[i++];
        const Decoded& d = decoded_[index];
        const auto* extras = reinterpret_cast<const char*>(file_.Data() + d.extrasAt);
        for (std::uint32_t j = 0; j < d.extraCount; ++j) {
            if (i < prefix.size() && prefix[i++] != extras[j])
                return;
            path += extras[j];
        }
    }
    if (path.size() > kMaxWordLength)
        return;
    // A tree reaches each node once, so more visits than nodes means a damaged file that
    // links back into itself.
    std::uint64_t budget = firstNode_[9];
    Walk(index, path, budget, visitor);
}

bool TMainDictionary::Walk(std::uint32_t index, std::string& path, std::uint64_t& budget,
                           const NodeVisitor& visitor) {
    DecodeChildrenOf(index);
    const std::uint32_t first = decoded_[index].firstChild;
    const std::uint32_t count = decoded_[index].childCount;
    const std::size_t depth = path.size();
    for (std::uint32_t i = 0; i < count; ++i) {
        if (budget == 0)
            return false;
        --budget;
        // A copy: decoding below may move the array.
        const Decoded child = decoded_[first + i];
        path += static_cast<char>(child.ch);
        if (path.size() > kMaxWordLength || !visitor(path, child.endsWord)) {
            path.resize(depth);
            continue;
        }
        path.append(reinterpret_cast<const char*>(file_.Data() + child.extrasAt), child.extraCount);
        const bool go = path.size() > kMaxWordLength || Walk(first + i, path, budget, visitor);
        path.resize(depth);
        if (!go)
            return false;
    }
    return true;
}

} // namespace kerfa::spelling
