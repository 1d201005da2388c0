#pragma once
// Where each region of a main dictionary file lies, read from its bytes, so that tests can damage
// chosen fields.

#include <cstdint>
#include <cstring>
#include <string>

struct AdmLayout {
    std::size_t countsAt = 0; // language, word count, node count, then c0..c8
    std::size_t tablesAt = 0; // node table 0
    std::size_t linkageSizeAt = 0;
    std::uint32_t linkageSize = 0;
    std::size_t firstLettersAt = 0;
    std::uint32_t tableCount[9] = {};

    static std::uint32_t Get32(const std::string& b, std::size_t at) {
        std::uint32_t v;
        std::memcpy(&v, b.data() + at, 4);
        return v;
    }
    static void Set32(std::string& b, std::size_t at, std::uint32_t v) {
        std::memcpy(b.data() + at, &v, 4);
    }

    explicit AdmLayout(const std::string& b) {
        countsAt = 1024 + 1 + 2 * static_cast<std::uint8_t>(b[1024]) + 2;
        tablesAt = countsAt + 48;
        linkageSizeAt = tablesAt;
        for (int k = 0; k < 9; ++k) {
            tableCount[k] = Get32(b, countsAt + 12 + 4 * k);
            linkageSizeAt += std::size_t(tableCount[k]) * (4 + k);
        }
        linkageSize = Get32(b, linkageSizeAt);
        firstLettersAt = linkageSizeAt + 4 + linkageSize;
    }
    // The byte offset of node `index`, counting across the tables.
    std::size_t NodeAt(std::uint32_t index) const {
        std::size_t at = tablesAt;
        for (int k = 0; k < 9; ++k) {
            if (index < tableCount[k])
                return at + std::size_t(index) * (4 + k);
            index -= tableCount[k];
            at += std::size_t(tableCount[k]) * (4 + k);
        }
        return 0;
    }
};
