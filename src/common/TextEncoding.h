#pragma once
// How the bytes of a text file become text, in standard C++ so that every reader of texts (the
// editor's, the compilation's, the search's) decides alike. A file is taken as a whole:
//
// - with a UTF-16 byte-order mark (either order), as UTF-16;
// - valid UTF-8 (a UTF-8 byte-order mark or none), as UTF-8;
// - UTF-8 but for stray bytes (no more stray bytes than well-formed sequences of two to four
//   bytes), as UTF-8 with each stray byte read as Windows-1252: a text that went through two
//   programs keeps its letters;
// - anything else as Windows-1252, the code page of files written on Windows.
//
// A stray byte is one that does not begin a well-formed UTF-8 sequence where it stands. The
// text comes back as UTF-8 without a byte-order mark, as every text is written.

#include <string>
#include <string_view>

namespace kerfa {

class TextEncoding {
public:
    enum class Form { Utf8, Utf16LittleEndian, Utf16BigEndian, MixedUtf8, Windows1252 };

    static Form detect(std::string_view bytes);
    // The text as UTF-8, without a byte-order mark.
    static std::string toUtf8(std::string_view bytes);
    // True when toUtf8 gives the bytes back as they are: valid UTF-8 without a mark, as nearly
    // every text is, which the readers then keep without a copy.
    static bool isPlainUtf8(std::string_view bytes);
    // True when the bytes begin with a UTF-16 byte-order mark: then even ASCII letters are not
    // the file's own bytes.
    static bool hasUtf16Mark(std::string_view bytes);
};

} // namespace kerfa
