#include "tools/krvmsg/Output.h"

#include <iostream>
#include <stdexcept>

#include "platform/Platform.h"

namespace krvmsg {

void PrintLine(std::string_view gbk) {
    std::cout << platform::GbkToUtf8(gbk) << '\n';
}

std::string JoinPath(const std::string& folder, std::string_view name) {
#ifdef _WIN32
    constexpr char kSeparator = '\\';
#else
    constexpr char kSeparator = '/';
#endif
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') {
        path += kSeparator;
    }
    return path.append(name);
}

void RequireMessageFile(const std::string& path) {
    if (!platform::IsExistingFile(path)) {
        throw std::runtime_error("no message file \"" + path + "\"");
    }
}

}  // namespace krvmsg
