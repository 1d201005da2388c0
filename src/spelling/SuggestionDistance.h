#pragma once
// The distance between a misspelt word and a candidate: the fewest single-letter insertions,
// deletions, substitutions and swaps of two neighbouring letters that turn one into the other
// (each letter edited once: optimal string alignment). Words longer than 254 bytes score their
// greater length.

#include <string_view>

namespace kerfa::spelling {

int SuggestionDistance(std::string_view a, std::string_view b);

} // namespace kerfa::spelling
