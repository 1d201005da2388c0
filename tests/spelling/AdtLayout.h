#pragma once
// Where each section of a thesaurus file lies, read from its bytes, so that tests can damage
// chosen fields. Works on files of either layout.

#include "spelling/ThesaurusFormat.h"

#include <cstdint>
#include <cstring>
#include <string>

struct AdtLayout {
    kerfa::spelling::ThesaurusLayout layout;
    std::size_t nameAt = kerfa::spelling::kThesaurusHeaderSize;
    std::size_t nodeCountAt = 0, nodesAt = 0;
    std::size_t linkSizeAt = 0, linksAt = 0;
    std::size_t entryCountAt = 0, entriesAt = 0;
    std::size_t listSizeAt = 0, listsAt = 0;
    std::uint32_t nodeCount = 0, linkSize = 0, entryCount = 0, listSize = 0;

    static std::uint32_t Get(const std::string& b, std::size_t at, std::size_t width = 4) {
        std::uint32_t v = 0;
        std::memcpy(&v, b.data() + at, width);
        return v;
    }
    static void Set(std::string& b, std::size_t at, std::uint32_t v, std::size_t width = 4) {
        std::memcpy(b.data() + at, &v, width);
    }

    explicit AdtLayout(const std::string& b) {
        layout = b.find(kerfa::spelling::kWideLayoutLine) < nameAt
                     ? kerfa::spelling::ThesaurusLayout::Wide()
                     : kerfa::spelling::ThesaurusLayout::Narrow();
        std::size_t at = nameAt;
        for (int i = 0; i < 6; ++i)
            at += 1 + static_cast<std::uint8_t>(b[at]);
        nodeCountAt = at;
        nodeCount = Get(b, at);
        nodesAt = at + 4;
        linkSizeAt = nodesAt + std::size_t(nodeCount) * layout.nodeSize;
        linkSize = Get(b, linkSizeAt);
        linksAt = linkSizeAt + 4;
        entryCountAt = linksAt + linkSize;
        entryCount = Get(b, entryCountAt, layout.entryCountSize);
        entriesAt = entryCountAt + layout.entryCountSize;
        listSizeAt = entriesAt + std::size_t(entryCount) * layout.entrySize;
        listSize = Get(b, listSizeAt);
        listsAt = listSizeAt + 4;
    }

    std::size_t NodeAt(std::uint32_t index) const { return nodesAt + index * layout.nodeSize; }
    std::uint32_t LinkOf(const std::string& b, std::uint32_t node) const {
        const std::uint32_t v = Get(b, NodeAt(node));
        return layout.wide ? v : v & 0xFFFFF;
    }
    std::uint8_t FlagsOf(const std::string& b, std::uint32_t node) const {
        return layout.wide ? static_cast<std::uint8_t>(b[NodeAt(node) + 4])
                           : static_cast<std::uint8_t>((Get(b, NodeAt(node)) >> 20) & 0x0F);
    }
    std::uint8_t CharOf(const std::string& b, std::uint32_t node) const {
        return static_cast<std::uint8_t>(b[NodeAt(node) + (layout.wide ? 5 : 3)]);
    }
    void SetLink(std::string& b, std::uint32_t node, std::uint32_t link) const {
        if (layout.wide)
            Set(b, NodeAt(node), link);
        else
            Set(b, NodeAt(node), (Get(b, NodeAt(node)) & 0xFFF00000u) | (link & 0xFFFFF));
    }
    void SetFlags(std::string& b, std::uint32_t node, std::uint8_t flags) const {
        if (layout.wide)
            b[NodeAt(node) + 4] = static_cast<char>(flags);
        else
            Set(b, NodeAt(node),
                (Get(b, NodeAt(node)) & 0xFF0FFFFFu) | std::uint32_t(flags & 0x0F) << 20);
    }
};
