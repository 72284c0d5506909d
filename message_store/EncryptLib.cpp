#include "message_store/EncryptLib.h"

namespace krv {

void XorScramble(std::span<const std::uint8_t> key, std::uint8_t* buffer, std::int32_t count) {
    std::size_t j = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        buffer[i] ^= key[j];
        if (++j == key.size()) {
            j = 0;
        }
    }
}

}  // namespace krv
