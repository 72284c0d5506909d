// The resources that the native build carries, generated from the same files as the Windows
// resource script.
#pragma once

#include <span>
#include <string_view>

namespace platform::posix {

struct EmbeddedResource {
    std::string_view name;
    std::string_view type;
    std::span<const char> bytes;
};

std::span<const EmbeddedResource> EmbeddedResources();

}  // namespace platform::posix
