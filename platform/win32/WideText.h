// GBK <-> UTF-16 at the Win32 boundary, always with code page 936, never the system's ANSI
// code page, so that Chinese texts and names come out right on every system locale.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring Widen(std::string_view gbk);
std::string Narrow(std::wstring_view wide);

}  // namespace platform::win32
