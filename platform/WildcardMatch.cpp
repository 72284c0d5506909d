#include "platform/WildcardMatch.h"

namespace platform {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

std::size_t CharLength(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool lead = byte >= 0x81 && byte <= 0xFE;
    return lead && at + 1 < text.size() ? 2 : 1;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the character at a in pattern with the one at b in name; on a match, advances both.
bool MatchChar(std::string_view pattern, std::size_t& a, std::string_view name, std::size_t& b) {
    const std::size_t lengthA = CharLength(pattern, a);
    const std::size_t lengthB = CharLength(name, b);
    if (lengthA != lengthB) {
        return false;
    }
    const bool same = lengthA == 2 ? pattern.substr(a, 2) == name.substr(b, 2)
                                   : AsciiLower(pattern[a]) == AsciiLower(name[b]);
    if (same) {
        a += lengthA;
        b += lengthB;
    }
    return same;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    // Where the last '*' resumes in the pattern, and where its run ends in the name so far.
    std::size_t starResume = kNone;
    std::size_t starEnd = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starResume = ++p;
            starEnd = n;
            continue;
        }
        if (p < pattern.size() && MatchChar(pattern, p, name, n)) {
            continue;
        }
        if (starResume == kNone) {
            return false;
        }
        // Let the last '*' take one more character and try the rest again from there.
        starEnd += CharLength(name, starEnd);
        n = starEnd;
        p = starResume;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace platform
