// Files, the temporary path and the executable's path. GBK paths become UTF-16 here and only
// the W functions are called, so Chinese names work on every system locale.
#include "platform/Platform.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/WindowsApi.h"

#include <algorithm>
#include <vector>

namespace platform {

using win32::RaiseLastErrorIf;
using win32::UniqueFileHandle;
using win32::Widen;

namespace {

// ReadFile and WriteFile move at most a DWORD at a time.
constexpr std::size_t kMaxChunk = 1u << 30;

std::string CannotOpen(const std::string& path) {
    return "Cannot open file \"" + path + "\"";
}
std::string CannotCreate(const std::string& path) {
    return "Cannot create file \"" + path + "\"";
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    // Other readers may share the file; a writer would change it under us, so writers are refused.
    UniqueFileHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    RaiseLastErrorIf(!file, [&] { return CannotOpen(path); });

    LARGE_INTEGER size{};
    RaiseLastErrorIf(!::GetFileSizeEx(file.Get(), &size), [&] { return CannotOpen(path); });
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');

    std::size_t done = 0;
    while (done < content.size()) {
        const auto chunk = static_cast<DWORD>(std::min(content.size() - done, kMaxChunk));
        DWORD read = 0;
        RaiseLastErrorIf(!::ReadFile(file.Get(), content.data() + done, chunk, &read, nullptr),
                         [&] { return CannotOpen(path); });
        if (read == 0) {
            break;  // the file became shorter since its size was taken
        }
        done += read;
    }
    content.resize(done);
    return content;
}

void WriteWholeFile(const std::string& path, std::span<const char> bytes) {
    UniqueFileHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    RaiseLastErrorIf(!file, [&] { return CannotCreate(path); });

    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
        DWORD written = 0;
        RaiseLastErrorIf(!::WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr),
                         [&] { return CannotCreate(path); });
        done += written;
    }
}

bool IsExistingFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DeleteFile(const std::string& path) {
    const std::wstring widePath = Widen(path);
    if (::DeleteFileW(widePath.c_str())) {
        return true;
    }
    // Already missing counts as deleted; anything else (in use, read-only, no access) does not.
    const DWORD code = ::GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

std::string TempPath() {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = ::GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
        RaiseLastErrorIf(length == 0, [] { return std::string("Cannot get the temporary path"); });
        // A buffer that is too small leaves it untouched and gives the size needed instead.
        if (length < buffer.size()) {
            return win32::Narrow(std::wstring_view(buffer.data(), length));
        }
        buffer.resize(length + 1);
    }
}

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        RaiseLastErrorIf(length == 0,
                         [] { return std::string("Cannot get the path of the program"); });
        // A truncated path fills the whole buffer.
        if (length < buffer.size()) {
            return win32::Narrow(std::wstring_view(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
