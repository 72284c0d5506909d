#include <algorithm>
#include <cctype>

#include "platform/Platform.h"
#include "platform/posix/EmbeddedResource.h"

namespace platform {
namespace {

// Resource names and types match regardless of letter case, as on Windows.
bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::span<const char> Resource(std::string_view name, std::string_view type) {
    for (const posix::EmbeddedResource& resource : posix::EmbeddedResources()) {
        if (SameName(resource.name, name) && SameName(resource.type, type)) {
            return resource.bytes;
        }
    }
    throw Error("Resource " + std::string(name) + " not found");
}

}  // namespace platform
