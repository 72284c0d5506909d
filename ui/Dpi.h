// Every pixel figure of the program is given for 96 dots per inch; on other screens it is
// scaled by the screen's DPI, so that the layout, the font and the pictures keep their
// proportions. At 96 dpi every figure stays exactly as given.
#pragma once

namespace ui {

inline constexpr int kDesignDpi = 96;

// The screen's logical DPI (LOGPIXELSY of the screen), read once per process.
int ScreenDpi();

// MulDiv(value, dpi, 96): rounds to the nearest pixel, negative values alike.
int ScaleForDpi(int value, int dpi);

// ScaleForDpi(value, ScreenDpi()).
int Scale(int value);

}  // namespace ui
