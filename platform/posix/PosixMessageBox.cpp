// Without a window system, a message box is a line on standard error, answered with OK.
#include <cstdio>

#include "platform/Platform.h"
#include "platform/SystemMessageBox.h"

namespace platform::detail {

int SystemMessageBox(const std::string& text, const std::string& caption, unsigned /*flags*/) {
    std::fprintf(stderr, "%s: %s\n", GbkToUtf8(caption).c_str(), GbkToUtf8(text).c_str());
    return 1;  // IDOK
}

}  // namespace platform::detail
