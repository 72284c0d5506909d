// Small path, text and shell helpers shared by the store and the window.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace krv {

// The text with the first occurrence of part (on a character boundary) taken out and
// replacement put at its place.
std::string ReplaceFirst(std::string text, const std::string& part, const std::string& replacement);

// The path with a trailing backslash; the last byte decides, not the last character.
std::string AppendBackslash(std::string path);

// The shell request that ShellOpen makes for path: the default verb, the path itself, and as
// working directory everything up to and including its last backslash or colon.
platform::ShellRequest BuildShellRequest(const std::string& path);

// Opens a file or link through the shell; reports a missing file or a missing association to
// the user in a message box and never to the caller.
void ShellOpen(const std::string& path);

}  // namespace krv
