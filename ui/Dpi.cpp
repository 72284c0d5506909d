#include "ui/Dpi.h"

#include "ui/Handle.h"

namespace ui {

int ScreenDpi() {
    static const int dpi = [] {
        WindowDC screen(nullptr);
        return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }();
    return dpi;
}

int ScaleForDpi(int value, int dpi) {
    return ::MulDiv(value, dpi, kDesignDpi);
}

int Scale(int value) {
    return ScaleForDpi(value, ScreenDpi());
}

}  // namespace ui
