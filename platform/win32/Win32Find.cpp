// The folder search over FindFirstFileExW. The system also matches a pattern against 8.3 short
// names ("1=abcdef.msgx" can come back for "*.msg"), so every long name found is checked again
// with the portable matcher: both backends list the same entries.
#include "platform/Platform.h"
#include "platform/WildcardMatch.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace platform {
namespace {

// The last component of a GBK path: what follows its last backslash or slash that is not the
// trail byte of a double-byte character.
std::string_view LastComponent(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x81 && byte <= 0xFE) {
            ++i;
        } else if (path[i] == '\\' || path[i] == '/') {
            start = i + 1;
        }
    }
    return path.substr(start);
}

bool IsDotEntry(std::wstring_view name) {
    return name == L"." || name == L"..";
}

}  // namespace

void FindFiles(const std::string& pattern, const std::function<void(const FoundEntry&)>& onEntry) {
    const std::string_view namePattern = LastComponent(pattern);
    WIN32_FIND_DATAW data{};
    // Every kind of entry is asked for: folders, hidden and system entries match like files.
    const win32::UniqueFindHandle search(::FindFirstFileExW(
        win32::Widen(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    // No match and no folder both give no entries, as does a folder that cannot be searched.
    if (!search) {
        return;
    }
    do {
        if (IsDotEntry(data.cFileName)) {
            continue;
        }
        std::string name = win32::Narrow(data.cFileName);
        if (!WildcardMatch(namePattern, name)) {
            continue;
        }
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        onEntry(FoundEntry{std::move(name), isFolder});
    } while (::FindNextFileW(search.Get(), &data));
}

}  // namespace platform
