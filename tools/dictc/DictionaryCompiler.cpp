#include "dictc/DictionaryCompiler.h"

#include "common/Cp1252.h"
#include "spelling/DictionaryBanner.h"

#include <algorithm>
#include <array>

namespace kerfa::dictc {

namespace {

constexpr std::uint32_t kNone = UINT32_MAX;
constexpr std::uint32_t kMaxRef = 0xFFFFE; // 20 bits; all ones means "no children"
constexpr std::uint32_t kWideRefNodes = 65535;

struct TrieNode {
    std::uint8_t ch = 0;
    bool end = false;
    std::uint32_t firstChild = kNone;
    std::uint32_t lastChild = kNone;
    std::uint32_t nextSibling = kNone;
    std::uint32_t childCount = 0;
};

struct OutNode {
    std::uint32_t tail = 0; // the trie node whose children are this node's children
    std::uint8_t ch = 0;
    bool end = false;
    std::string extras;
    std::vector<std::uint32_t> children; // indexes into the out-node list
    std::uint32_t number = 0;
};

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void set32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<char16_t> utf16(std::string_view utf8) {
    std::vector<char16_t> out;
    std::u32string points;
    if (!cp1252::isValidUtf8(utf8)) {
        for (const char c : utf8)
            points += cp1252::toUnicode(static_cast<std::uint8_t>(c));
    } else {
        for (std::size_t i = 0; i < utf8.size();) {
            const auto c = static_cast<std::uint8_t>(utf8[i]);
            const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            char32_t cp = len == 1 ? c : c & (0x7F >> len);
            for (int j = 1; j < len; ++j)
                cp = cp << 6 | (static_cast<std::uint8_t>(utf8[i + j]) & 0x3F);
            points += cp;
            i += len;
        }
    }
    for (const char32_t cp : points) {
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace

void DictionaryCompiler::AddWord(std::string_view word) {
    if (!word.empty())
        words_.emplace_back(word);
}

std::vector<std::uint8_t> DictionaryCompiler::Build(std::string_view titleUtf8,
                                                    std::uint32_t language) {
    error_.clear();
    std::sort(words_.begin(), words_.end());
    words_.erase(std::unique(words_.begin(), words_.end()), words_.end());
    wordCount_ = static_cast<std::uint32_t>(words_.size());

    // The letter tree; words are sorted, so every node's children come in ascending order.
    std::vector<TrieNode> trie(1);
    std::vector<std::uint32_t> path{0};
    std::string_view previous;
    for (const std::string& word : words_) {
        std::size_t common = 0;
        while (common < previous.size() && common < word.size() && previous[common] == word[common])
            ++common;
        path.resize(common + 1);
        for (std::size_t i = common; i < word.size(); ++i) {
            const auto index = static_cast<std::uint32_t>(trie.size());
            trie.push_back({static_cast<std::uint8_t>(word[i])});
            TrieNode& parent = trie[path.back()];
            if (parent.lastChild == kNone)
                parent.firstChild = index;
            else
                trie[parent.lastChild].nextSibling = index;
            parent.lastChild = index;
            ++parent.childCount;
            path.push_back(index);
        }
        trie[path.back()].end = true;
        previous = word;
    }

    // Packed nodes in breadth-first order. First-letter nodes are never packed: the
    // first-letter table lists their children as the second letters.
    std::vector<OutNode> nodes(1);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (std::uint32_t c = trie[nodes[i].tail].firstChild; c != kNone;
             c = trie[c].nextSibling) {
            OutNode node;
            node.tail = c;
            node.ch = trie[c].ch;
            node.end = trie[c].end;
            if (i != 0) {
                while (node.extras.size() < kMaxExtraChars && trie[node.tail].childCount == 1 &&
                       !trie[trie[node.tail].firstChild].end) {
                    node.tail = trie[node.tail].firstChild;
                    node.extras += static_cast<char>(trie[node.tail].ch);
                }
            }
            nodes[i].children.push_back(static_cast<std::uint32_t>(nodes.size()));
            nodes.push_back(std::move(node));
        }
    }
    trie.clear();
    trie.shrink_to_fit();

    std::array<std::uint32_t, 10> first{};
    std::array<std::uint32_t, 9> counts{};
    for (const OutNode& n : nodes)
        ++counts[n.extras.size()];
    for (std::size_t k = 0; k < 9; ++k)
        first[k + 1] = first[k] + counts[k];
    std::array<std::uint32_t, 9> next = {};
    for (OutNode& n : nodes) {
        const auto k = n.extras.size();
        n.number = first[k] + next[k]++;
    }
    nodeCount_ = static_cast<std::uint32_t>(nodes.size());
    if (nodeCount_ > kMaxRef + 1) {
        error_ = "too many nodes for 20-bit child references";
        return {};
    }
    const bool wide = nodeCount_ >= kWideRefNodes;

    // Child lists. Each node's list is laid out once; a first-letter entry points at its
    // node's list, past the count byte of a long list.
    std::vector<std::uint8_t> linkage;
    std::vector<std::uint32_t> listOffset(nodes.size(), kNone);
    auto putRef = [&](std::uint32_t v) {
        if (!wide) {
            linkage.push_back(static_cast<std::uint8_t>(v));
            linkage.push_back(static_cast<std::uint8_t>(v >> 8));
        } else if (v < 0x8000) {
            linkage.push_back(static_cast<std::uint8_t>(0x80 | v >> 8));
            linkage.push_back(static_cast<std::uint8_t>(v));
        } else {
            linkage.push_back(static_cast<std::uint8_t>(v >> 16));
            linkage.push_back(static_cast<std::uint8_t>(v >> 8));
            linkage.push_back(static_cast<std::uint8_t>(v));
        }
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto& children = nodes[i].children;
        if (children.size() < 2)
            continue;
        if (children.size() > 255) {
            error_ = "a node has more than 255 children";
            return {};
        }
        listOffset[i] = static_cast<std::uint32_t>(linkage.size());
        if (children.size() >= 8)
            linkage.push_back(static_cast<std::uint8_t>(children.size()));
        for (const std::uint32_t c : children)
            putRef(nodes[c].number);
        if (linkage.size() > kMaxRef) {
            error_ = "linkage area exceeds 20-bit offsets";
            return {};
        }
    }
    linkageSize_ = linkage.size();

    std::vector<std::uint8_t> out(1024, 0);
    std::copy(spelling::kMainBannerTitle.begin(), spelling::kMainBannerTitle.end(), out.begin());
    std::copy(spelling::kPublisherLines.begin(), spelling::kPublisherLines.end(),
              out.begin() + spelling::kMainBannerTitle.size());
    std::copy(spelling::kBannerEnd.begin(), spelling::kBannerEnd.end(),
              out.begin() + spelling::kMainBannerSize - spelling::kBannerEnd.size());
    auto title = utf16(titleUtf8);
    if (title.size() > 255)
        title.resize(255);
    out.push_back(static_cast<std::uint8_t>(title.size()));
    title.push_back(0);
    for (const char16_t u : title) {
        out.push_back(static_cast<std::uint8_t>(u));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    put32(out, language);
    put32(out, wordCount_);
    put32(out, nodeCount_);
    for (const std::uint32_t c : counts)
        put32(out, c);

    std::vector<std::uint32_t> byNumber(nodes.size());
    for (std::uint32_t i = 0; i < nodes.size(); ++i)
        byNumber[nodes[i].number] = i;
    for (const std::uint32_t i : byNumber) {
        const OutNode& n = nodes[i];
        const auto childCount = static_cast<std::uint32_t>(n.children.size());
        std::uint32_t ref = 0xFFFFF;
        std::uint32_t count = 0;
        if (childCount == 1) {
            ref = nodes[n.children[0]].number;
            count = 1;
        } else if (childCount > 1) {
            ref = listOffset[i];
            count = childCount < 8 ? childCount : 0;
        }
        put32(out, n.ch | ref << 8 | count << 28 | (n.end ? 0x80000000u : 0u));
        out.insert(out.end(), n.extras.begin(), n.extras.end());
    }
    put32(out, static_cast<std::uint32_t>(linkage.size()));
    out.insert(out.end(), linkage.begin(), linkage.end());

    std::array<std::uint8_t, 2048 + 1024> tables{};
    for (const std::uint32_t c : nodes[0].children) {
        const OutNode& n = nodes[c];
        std::uint8_t* entry = tables.data() + 8 * n.ch;
        entry[0] = n.end ? 1 : 0;
        entry[1] = static_cast<std::uint8_t>(n.children.size());
        if (n.children.size() == 1)
            set32(entry + 4, nodes[n.children[0]].number);
        else if (n.children.size() > 1)
            set32(entry + 4, listOffset[c] + (n.children.size() >= 8 ? 1 : 0));
    }
    out.insert(out.end(), tables.begin(), tables.end());
    return out;
}

} // namespace kerfa::dictc
