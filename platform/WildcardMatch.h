// Name matching for folder searches, the same in every backend: the Win32 search also matches
// 8.3 short names, so its results are filtered with this matcher to list exactly what the POSIX
// backend lists.
#pragma once

#include <string_view>

namespace platform {

// True when name matches pattern as a whole, from its first byte to its last. '*' matches any
// run of characters, also an empty one; every other character matches itself, ASCII letters in
// either case. Both texts are GBK: a double-byte character matches only the same two bytes, so
// a trail byte that looks like a letter is never case-folded.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace platform
