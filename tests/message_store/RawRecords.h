// Record bytes written by hand, so that tests can make lengths the store's writer never would.
#pragma once

#include <cstdint>
#include <string>

namespace krv::test {

// A 32-bit little-endian length field.
inline std::string Le32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8 & 0xFF),
            static_cast<char>(bits >> 16 & 0xFF), static_cast<char>(bits >> 24 & 0xFF)};
}

}  // namespace krv::test
