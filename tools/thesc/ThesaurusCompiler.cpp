#include "thesc/ThesaurusCompiler.h"

#include "spelling/ThesaurusFormat.h"

#include <algorithm>

namespace kerfa::thesc {

using namespace kerfa::spelling;

namespace {

void put(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putText(std::vector<std::uint8_t>& out, std::string_view text) {
    text = text.substr(0, 255);
    out.push_back(static_cast<std::uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

bool usable(std::string_view word) {
    return !word.empty() && word.find('\0') == std::string_view::npos;
}

} // namespace

std::uint32_t ThesaurusCompiler::Insert(std::string_view word) {
    std::uint32_t node = 0;
    for (const char c : word) {
        const auto ch = static_cast<std::uint8_t>(c);
        // Children are kept in byte order.
        std::uint32_t previous = kNone;
        std::uint32_t child = trie_[node].firstChild;
        while (child != kNone && trie_[child].ch < ch) {
            previous = child;
            child = trie_[child].nextSibling;
        }
        if (child == kNone || trie_[child].ch != ch) {
            const auto index = static_cast<std::uint32_t>(trie_.size());
            TrieNode added;
            added.ch = ch;
            added.parent = node;
            added.nextSibling = child;
            trie_.push_back(added);
            if (previous == kNone)
                trie_[node].firstChild = index;
            else
                trie_[previous].nextSibling = index;
            ++trie_[node].childCount;
            child = index;
        }
        node = child;
    }
    trie_[node].end = true;
    return node;
}

void ThesaurusCompiler::AddMeaning(std::string_view word, std::uint8_t kind, std::string_view head,
                                   const Lists& lists) {
    if (!usable(word) || !usable(head) || kind >= kKinds)
        return;
    Entry entry;
    entry.head = Insert(head);
    for (std::size_t i = 0; i < lists.size(); ++i)
        for (const std::string& w : lists[i])
            if (usable(w))
                entry.lists[i].push_back(Insert(w));
    const auto [it, added] =
        entryIndex_.try_emplace(std::move(entry), static_cast<std::uint32_t>(entries_.size()));
    if (added)
        entries_.push_back(it->first);
    const std::uint32_t ref = it->second * kKinds + kind;
    auto& refs = refs_[Insert(word)];
    if (std::find(refs.begin(), refs.end(), ref) == refs.end())
        refs.push_back(ref);
}

std::vector<std::uint8_t> ThesaurusCompiler::Build(std::string_view name,
                                                   const std::array<std::string, 5>& kindNames,
                                                   bool wide) {
    error_.clear();
    const ThesaurusLayout layout = wide ? ThesaurusLayout::Wide() : ThesaurusLayout::Narrow();
    const std::uint64_t maxNumber = wide ? UINT32_MAX : 0xFFFF;
    const auto count = static_cast<std::uint32_t>(trie_.size());

    // Chains. A node lies at the bottom of a possible chain when it is a word-ending leaf, or
    // ends no word and has one child that does. Children come after their parents, so one
    // backward pass settles every node.
    std::vector<bool> chainTail(count, false);
    for (std::uint32_t n = count; n-- > 1;) {
        const TrieNode& t = trie_[n];
        chainTail[n] = (t.childCount == 0 && t.end) ||
                       (!t.end && t.childCount == 1 && chainTail[t.firstChild]);
    }
    const auto canStart = [&](std::uint32_t n) {
        const TrieNode& t = trie_[n];
        return n != 0 && !t.end && t.childCount == 1 && chainTail[t.firstChild];
    };
    std::vector<bool> chainStart(count, false), inChain(count, false);
    std::vector<std::uint32_t> represented(count), chainLeaf(count, kNone);
    for (std::uint32_t n = 0; n < count; ++n)
        represented[n] = n;
    for (std::uint32_t n = 1; n < count; ++n) {
        if (!canStart(n) || canStart(trie_[n].parent))
            continue;
        chainStart[n] = true;
        std::uint32_t leaf = n;
        while (trie_[leaf].childCount == 1) {
            leaf = trie_[leaf].firstChild;
            inChain[leaf] = true;
        }
        represented[leaf] = n;
        chainLeaf[n] = leaf;
    }

    // Parent references for every node on the way to a word that an entry names.
    std::vector<bool> hasParent(count, false);
    const auto needParents = [&](std::uint32_t n) {
        for (n = represented[n]; n != 0 && !hasParent[n]; n = trie_[n].parent)
            hasParent[n] = true;
    };
    for (const Entry& entry : entries_) {
        needParents(entry.head);
        for (const auto& list : entry.lists)
            for (const std::uint32_t w : list)
                needParents(w);
    }

    // Node numbers in breadth-first order, so that siblings lie side by side.
    std::vector<std::uint32_t> order{0};
    order.reserve(count);
    for (std::size_t i = 0; i < order.size(); ++i)
        for (std::uint32_t c = trie_[order[i]].firstChild; c != kNone; c = trie_[c].nextSibling)
            order.push_back(c);
    std::vector<std::uint32_t> number(count);
    for (std::uint32_t i = 0; i < count; ++i)
        number[order[i]] = i;
    const auto nodeNumber = [&](std::uint32_t n) {
        return number[represented[n]];
    };

    if (count - 1 > maxNumber) {
        error_ = "too many nodes for the layout's node numbers";
        return {};
    }
    if (entries_.size() * kKinds > maxNumber + 1 || entries_.size() > maxNumber) {
        error_ = "too many entries for the layout's meaning references";
        return {};
    }

    std::vector<std::uint8_t> links;
    std::vector<std::uint32_t> linkOffset(count);
    std::vector<std::uint8_t> flags(count, 0);
    std::uint32_t sharedEmpty = kNone;
    std::vector<std::uint8_t> record;
    for (const std::uint32_t n : order) {
        const TrieNode& t = trie_[n];
        const bool wordEnd = t.end && !inChain[n];
        flags[n] = (t.childCount == 1 ? kNodeOneChild : 0) | (hasParent[n] ? kNodeHasParent : 0) |
                   (chainStart[n] ? kNodeChainStart : 0) | (wordEnd ? kNodeWordEnd : 0);
        record.clear();
        if (t.childCount != 1)
            record.push_back(static_cast<std::uint8_t>(t.childCount));
        for (std::uint32_t c = t.firstChild; c != kNone; c = trie_[c].nextSibling)
            put(record, number[c], layout.numberSize);
        if (hasParent[n])
            put(record, number[t.parent], layout.numberSize);
        if (wordEnd || chainStart[n]) {
            static const std::vector<std::uint32_t> none;
            const auto found = refs_.find(chainStart[n] ? chainLeaf[n] : n);
            const auto& refs = found == refs_.end() ? none : found->second;
            if (refs.size() > 255) {
                error_ = "a word has more than 255 meanings";
                return {};
            }
            record.push_back(static_cast<std::uint8_t>(refs.size()));
            for (const std::uint32_t r : refs)
                put(record, r, layout.numberSize);
        }
        // Leaves inside chains all have the same record: no children, nothing else.
        if (record.size() == 1 && record[0] == 0 && flags[n] == 0) {
            if (sharedEmpty == kNone) {
                sharedEmpty = static_cast<std::uint32_t>(links.size());
                links.push_back(0);
            }
            linkOffset[n] = sharedEmpty;
            continue;
        }
        if (links.size() > layout.maxLinkOffset) {
            error_ = "the link area is too large for the layout's link offsets";
            return {};
        }
        linkOffset[n] = static_cast<std::uint32_t>(links.size());
        links.insert(links.end(), record.begin(), record.end());
    }

    std::vector<std::uint8_t> entryRecords, lists;
    for (const Entry& entry : entries_) {
        put(entryRecords, nodeNumber(entry.head), layout.numberSize);
        for (const auto& list : entry.lists) {
            if (list.size() > 0xFFFF) {
                error_ = "a list has more than 65,535 words";
                return {};
            }
            put(entryRecords, list.size(), 2);
        }
        put(entryRecords, lists.size(), 4);
        for (const auto& list : entry.lists)
            for (const std::uint32_t w : list)
                put(lists, nodeNumber(w), layout.numberSize);
    }

    std::vector<std::uint8_t> out;
    std::string header;
    header.append(kThesaurusBannerTitle).append(kPublisherLines);
    if (wide)
        header.append(kWideLayoutLine);
    header.append(kBannerEnd);
    header.resize(kThesaurusHeaderSize, '\0');
    out.insert(out.end(), header.begin(), header.end());
    putText(out, name);
    for (const std::string& kind : kindNames)
        putText(out, kind);
    put(out, count, 4);
    for (const std::uint32_t n : order) {
        if (wide) {
            put(out, linkOffset[n], 4);
            out.push_back(flags[n]);
            out.push_back(trie_[n].ch);
        } else {
            put(out,
                linkOffset[n] | std::uint32_t(flags[n]) << 20 | std::uint32_t(trie_[n].ch) << 24,
                4);
        }
    }
    put(out, links.size(), 4);
    out.insert(out.end(), links.begin(), links.end());
    put(out, entries_.size(), layout.entryCountSize);
    out.insert(out.end(), entryRecords.begin(), entryRecords.end());
    put(out, lists.size(), 4);
    out.insert(out.end(), lists.begin(), lists.end());
    return out;
}

} // namespace kerfa::thesc
