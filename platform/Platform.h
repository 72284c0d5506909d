// The operating-system services that the message store needs. Every text is a GBK byte string
// and every path a Windows path with backslashes; each backend converts at its own boundary.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// The one error type of the store and its services. what() is GBK text.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a whole file. Other readers may share it; writers are refused while it is open.
// Raises `Cannot open file "<path>". <system reason>` when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// Creates the file, or replaces its content, with the given bytes.
// Raises `Cannot create file "<path>". <system reason>` on failure.
void WriteWholeFile(const std::string& path, std::span<const char> bytes);

// True when path names an existing file; a folder of that name does not count.
bool IsExistingFile(const std::string& path);

// Deletes a file; true when no file of that name exists afterwards (already missing counts).
bool DeleteFile(const std::string& path);

// The system's temporary path as the system reports it (no backslash is added).
// Raises an error when the system cannot tell it.
std::string TempPath();

// Full path of the running executable.
std::string ExecutablePath();

// One entry of a folder search.
struct FoundEntry {
    std::string name;  // bare (long) name, GBK
    bool isFolder;
};

// Searches the folder part of pattern for names that match its last component ('*' matches
// any run, letter case does not matter, the whole name must match), asking for every kind of
// entry (attribute mask 63). Entries are handed over in the order of the system's search; the
// search handle is released on every path, also when onEntry raises. A folder that does not
// exist gives no entries.
void FindFiles(const std::string& pattern, const std::function<void(const FoundEntry&)>& onEntry);

// The shell request that ShellOpen makes. Fields mirror SHELLEXECUTEINFO; empty texts stand
// for null pointers.
struct ShellRequest {
    std::uint32_t mask = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int show = 1;  // SW_SHOWNORMAL
};

// Hands the request to the shell. Returns 0 on success, otherwise the system's error code.
std::uint32_t ShellExecute(const ShellRequest& request);

// A modal message box: text, caption (GBK) and MessageBox flags; returns the button pressed.
using MessageBoxFunction =
    std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

// The program routes every message box through its application object; without a handler the
// backend shows the system's own box (POSIX: writes it to standard error and answers OK).
void SetMessageBoxFunction(MessageBoxFunction function);

// Text conversions for tools that talk UTF-8. A byte sequence that is not valid GBK becomes
// U+FFFD; a character that GBK cannot hold becomes "?".
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// The bytes of a resource of the executable (Windows: name and type as in the .rc script;
// the native build embeds the same bytes). Raises an error when it is missing.
std::span<const char> Resource(std::string_view name, std::string_view type);

}  // namespace platform
