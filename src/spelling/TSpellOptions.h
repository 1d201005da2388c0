#pragma once
// TSpellOptions: the spelling checker's option set, 15 bits in this order (bit 0 first). The
// configuration stores the bits as one number, so the order never changes.

#include <cstdint>
#include <initializer_list>

namespace kerfa::spelling {

enum TSpellOption : unsigned {
    soLiveSpelling,
    soLiveCorrect,
    soUpcase,        // accept words in capitals
    soNumbers,       // accept words with digits
    soHTML,          // skip markup, accept entities
    soInternet,      // skip internet addresses
    soQuoted,        // accept words on quoted lines
    soAbbreviations, // accept e.g., U.S.A.
    soPrimaryOnly,
    soRepeated,
    soDUalCaps,
    soUser1,
    soUser2,
    soUser3,
    soUser4,
};

class TSpellOptions {
public:
    constexpr TSpellOptions() = default;
    constexpr TSpellOptions(std::initializer_list<TSpellOption> options) {
        for (const TSpellOption o : options)
            Include(o);
    }
    static constexpr TSpellOptions FromBits(std::uint16_t bits) {
        TSpellOptions o;
        o.bits_ = bits & 0x7FFF;
        return o;
    }

    constexpr bool Has(TSpellOption o) const { return (bits_ >> o) & 1u; }
    constexpr void Include(TSpellOption o) { bits_ = static_cast<std::uint16_t>(bits_ | 1u << o); }
    constexpr void Exclude(TSpellOption o) {
        bits_ = static_cast<std::uint16_t>(bits_ & ~(1u << o));
    }
    constexpr std::uint16_t Bits() const { return bits_; }
    constexpr bool operator==(const TSpellOptions&) const = default;

private:
    std::uint16_t bits_ = 0;
};

} // namespace kerfa::spelling
