// The shell on a POSIX desktop: xdg-open stands in for the Windows shell's associations.
#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <cerrno>

#include "platform/Platform.h"
#include "platform/posix/NativePath.h"

extern char** environ;

namespace platform {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorNoAssociation = 1155;

// "scheme:" with a scheme of two characters or more; "C:" is a drive, not a scheme.
bool IsWebAddress(const std::string& file) {
    const std::size_t colon = file.find(':');
    if (colon == std::string::npos || colon < 2 ||
        !std::isalpha(static_cast<unsigned char>(file[0]))) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(file[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

std::uint32_t OpenWithDesktop(const std::string& target) {
    std::string program = "xdg-open";
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ);
    if (spawned != 0) {
        return spawned == ENOENT ? kErrorNoAssociation : static_cast<std::uint32_t>(spawned);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return kErrorNoAssociation;
        }
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return 0;
    }
    // xdg-open exits with 2 for a file that is not there; anything else means nothing opened it.
    return WIFEXITED(status) && WEXITSTATUS(status) == 2 ? kErrorFileNotFound : kErrorNoAssociation;
}

}  // namespace

std::uint32_t ShellExecute(const ShellRequest& request) {
    if (IsWebAddress(request.file)) {
        return OpenWithDesktop(request.file);
    }
    const std::string file = posix::NativePath(request.file);
    if (request.file.empty() || !IsExistingFile(request.file)) {
        return kErrorFileNotFound;
    }
    return OpenWithDesktop(file);
}

}  // namespace platform
