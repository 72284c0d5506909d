// Store paths are Windows paths in GBK; POSIX calls get them with every backslash that is not the
// trail byte of a double-byte character turned into "/".
#pragma once

#include <string>

namespace platform::posix {

std::string NativePath(std::string path);

}  // namespace platform::posix
