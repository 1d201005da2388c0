#pragma once
// The banners that open Kerfa's dictionary files. Readers compare them byte for byte, so the
// publisher lines must never change once files have been written with them.

#include <string_view>

namespace kerfa::spelling {

// Three lines of publisher information, shared by both formats.
inline constexpr std::string_view kPublisherLines = "Kerfa, the writing organiser for novelists\r\n"
                                                    "Kerfa spelling data\r\n"
                                                    "Free software.\r\n";

// Main dictionaries (.adm): 123 bytes at the start of the 1024-byte header block.
inline constexpr std::string_view kMainBannerTitle = "Kerfa Dictionary Compiler, Version 4.0\r\n";
inline constexpr std::size_t kMainBannerSize = 123;

// Custom dictionaries (.adu): 119 bytes, followed by a zero byte.
inline constexpr std::string_view kUserBannerTitle = "Kerfa User Dictionary, Version 4.0\r\n";
inline constexpr std::size_t kUserBannerSize = 119;

inline constexpr std::string_view kBannerEnd = "\r\n";

static_assert(kMainBannerTitle.size() + kPublisherLines.size() + kBannerEnd.size() ==
              kMainBannerSize);
static_assert(kUserBannerTitle.size() + kPublisherLines.size() + kBannerEnd.size() ==
              kUserBannerSize);

} // namespace kerfa::spelling
