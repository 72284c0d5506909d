// Composes message files as the client writes them, for tools and test fixtures.
#pragma once

#include <string>
#include <vector>

namespace krv {

struct MessageParts {
    std::string link;  // GBK
    std::string page;
    std::vector<std::string> pictures;
};

// The unscrambled content: link, page and picture records, each with its length in front.
// Raises an error when a part is too long for its 32-bit length field.
std::string ComposeMessage(const MessageParts& parts);

// The bytes of a message file: the composed content scrambled with the message key.
std::string PackMessage(const MessageParts& parts);

}  // namespace krv
