#include "message_store/Gbk.h"

namespace krv {
namespace {

// Length of the character that begins at pos: a lead byte with a byte after it takes two.
std::size_t CharLength(std::string_view text, std::size_t pos) {
    const bool lead = IsGbkLeadByte(static_cast<unsigned char>(text[pos]));
    return lead && text.size() - pos >= 2 ? 2 : 1;
}

}  // namespace

std::size_t FindOnCharBoundary(std::string_view text, std::string_view part) {
    text = text.substr(0, text.find('\0'));
    if (part.empty()) {
        return std::string_view::npos;
    }
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (text.substr(pos).starts_with(part)) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::size_t FindLastDelimiter(std::string_view text, std::string_view delimiters) {
    std::size_t last = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (delimiters.find(text[pos]) != std::string_view::npos) {
            last = pos;
        }
    }
    return last;
}

}  // namespace krv
