// Where the system keeps temporary files and where the running program lives.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Platform.h"

namespace platform {

std::string TempPath() {
    const char* dir = std::getenv("TMPDIR");
    return dir != nullptr && *dir != '\0' ? dir : "/tmp";
}

std::string ExecutablePath() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t got = ::readlink("/proc/self/exe", path.data(), path.size());
        if (got < 0) {
            throw Error(std::string("Cannot tell the executable's path. ") + std::strerror(errno));
        }
        if (static_cast<std::size_t>(got) < path.size()) {
            path.resize(static_cast<std::size_t>(got));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace platform
