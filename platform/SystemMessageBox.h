// What each backend supplies behind ShowMessageBox: the system's own box, used when the program
// has not routed message boxes through its application object.
#pragma once

#include <string>

namespace platform::detail {

int SystemMessageBox(const std::string& text, const std::string& caption, unsigned flags);

}  // namespace platform::detail
