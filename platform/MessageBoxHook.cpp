// One route for every message box of the store: the program's handler when one is set,
// otherwise the backend's system box.
#include <utility>

#include "platform/Platform.h"
#include "platform/SystemMessageBox.h"

namespace platform {
namespace {

MessageBoxFunction& Handler() {
    static MessageBoxFunction handler;
    return handler;
}

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    if (const MessageBoxFunction& handler = Handler()) {
        return handler(text, caption, flags);
    }
    return detail::SystemMessageBox(text, caption, flags);
}

void SetMessageBoxFunction(MessageBoxFunction function) {
    Handler() = std::move(function);
}

}  // namespace platform
