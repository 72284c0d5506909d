// The record layer of a message file: the message key, the whole-file scrambling and the reader
// of length-prefixed records. Reader and writer share it; the window never needs it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace krv {

inline constexpr std::size_t kMessageKeyLength = 13;
using MessageKey = std::uint8_t[kMessageKeyLength];

// Fills key byte by byte at run time, so that the key never stands in the program as one block.
void BuildMessageKey(MessageKey& key);

// Scrambles or unscrambles a whole message file in place: byte i is combined with key byte
// i mod 13, however long the file is.
void ScrambleContent(std::span<const std::uint8_t, kMessageKeyLength> key, std::string& bytes);

// Reads the records of unscrambled content: each a signed 32-bit little-endian length and that
// many bytes. Raises "Stream read error" on a negative length, a length beyond the bytes that
// remain, or a length field cut short; a length field due exactly at the end reads as 0.
class RecordReader {
  public:
    explicit RecordReader(std::string_view content) : rest_(content) {}

    bool AtEnd() const { return rest_.empty(); }

    // The next record's bytes; they stay valid as long as the content does.
    std::string_view ReadRecord();

  private:
    std::int32_t ReadLength();

    std::string_view rest_;
};

}  // namespace krv
