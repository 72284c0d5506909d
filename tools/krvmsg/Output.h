// How krvmsg talks: GBK text goes out as UTF-8; paths are shown as the system names them.
#pragma once

#include <string>
#include <string_view>

namespace krvmsg {

// Writes one line of GBK text to standard output as UTF-8.
void PrintLine(std::string_view gbk);

// A file inside a folder given on the command line, in the system's own spelling.
std::string JoinPath(const std::string& folder, std::string_view name);

// A message file named on the command line must exist; a folder of that name does not count.
void RequireMessageFile(const std::string& path);

}  // namespace krvmsg
