#include "ui/Handle.h"

#include "ui/Error.h"

namespace ui {

WindowDC::WindowDC(HWND window, bool wholeWindow)
    : window_(window), dc_(wholeWindow ? ::GetWindowDC(window) : ::GetDC(window)) {
    if (dc_ == nullptr) {
        throw Error(wholeWindow ? "GetWindowDC failed" : "GetDC failed");
    }
}

}  // namespace ui
