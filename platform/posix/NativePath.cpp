#include "platform/posix/NativePath.h"

namespace platform::posix {

std::string NativePath(std::string path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x81 && byte <= 0xFE) {
            ++i;  // the next byte belongs to this character, whatever its value
        } else if (byte == '\\') {
            path[i] = '/';
        }
    }
    return path;
}

}  // namespace platform::posix
