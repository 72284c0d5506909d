// The folder search over opendir and readdir, in directory order. The file system matches
// nothing itself: every name goes through the same matcher as on Windows.
#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/Platform.h"
#include "platform/WildcardMatch.h"
#include "platform/posix/NativePath.h"

namespace platform {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool IsFolder(DIR* dir, const dirent& entry) {
    if (entry.d_type == DT_DIR) {
        return true;
    }
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
        return false;
    }
    struct stat info {};
    return fstatat(dirfd(dir), entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

bool IsDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

}  // namespace

void FindFiles(const std::string& pattern, const std::function<void(const FoundEntry&)>& onEntry) {
    const std::string path = posix::NativePath(pattern);
    // '/' lies below every GBK trail byte, so the last one always ends the folder part.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);

    // As with the system's search on Windows, a folder that cannot be opened has no entries, and
    // the end of the folder or a failing read ends the search.
    const DirHandle dir(opendir(folder.c_str()));
    if (!dir) {
        return;
    }
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (IsDotEntry(name) || !WildcardMatch(namePattern, name)) {
            continue;
        }
        onEntry(FoundEntry{std::string(name), IsFolder(dir.get(), *entry)});
    }
}

}  // namespace platform
