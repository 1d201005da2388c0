#pragma once
// The words of a plain word list, one a line, in Windows-1252. The text is taken as UTF-8 when
// all of it is valid UTF-8 (words Windows-1252 cannot hold are left out and counted), otherwise
// as Windows-1252 already. Spaces, tabs and CR around a word are trimmed; blank lines skipped.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

std::vector<std::string> SplitWordList(std::string_view content, std::size_t& unrepresentable);

} // namespace kerfa::spelling
