// The one place that knows where GBK characters begin: a byte 0x81-0xFE starts a double-byte
// character, and the byte after it is its trail byte, whatever its value.
#pragma once

#include <cstddef>
#include <string_view>

namespace krv {

constexpr bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Byte offset of the first occurrence of part in text that begins on a character boundary, or
// std::string_view::npos. The search stops at the first NUL byte of text; an empty part or text
// is never found.
std::size_t FindOnCharBoundary(std::string_view text, std::string_view part);

// Byte offset of the last byte of text that equals one of delimiters and is not a trail byte,
// or std::string_view::npos.
std::size_t FindLastDelimiter(std::string_view text, std::string_view delimiters);

}  // namespace krv
