// Files through POSIX calls. POSIX has no share modes: a file is read as it is.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Platform.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/UniqueFd.h"

namespace platform {
namespace {

[[noreturn]] void Raise(const char* what, const std::string& path, int error) {
    throw Error(std::string(what) + " \"" + path + "\". " + std::strerror(error));
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    posix::UniqueFd fd(::open(posix::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        Raise("Cannot open file", path, errno);
    }
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got == 0) {
            return content;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            Raise("Cannot open file", path, errno);
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

void WriteWholeFile(const std::string& path, std::span<const char> bytes) {
    // The page set goes to fixed names in a folder that other users may share: a link planted
    // under one of those names must not redirect the write.
    posix::UniqueFd fd(::open(posix::NativePath(path).c_str(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!fd) {
        Raise("Cannot create file", path, errno);
    }
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd.get(), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            Raise("Cannot create file", path, errno);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    if (fd.Close() != 0) {
        Raise("Cannot create file", path, errno);
    }
}

bool IsExistingFile(const std::string& path) {
    struct stat info {};
    return ::stat(posix::NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DeleteFile(const std::string& path) {
    return ::unlink(posix::NativePath(path).c_str()) == 0 || errno == ENOENT;
}

}  // namespace platform
