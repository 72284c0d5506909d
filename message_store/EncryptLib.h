// The scrambling of message files: a repeating-key exclusive or, in place.
#pragma once

#include <cstdint>
#include <span>

namespace krv {

// Combines count bytes of buffer, from its first byte, with key byte i mod key.size(). The key
// index restarts at 0 on every call. A count of 0 or less changes nothing.
void XorScramble(std::span<const std::uint8_t> key, std::uint8_t* buffer, std::int32_t count);

}  // namespace krv
