// The Windows headers for the Win32 backend. They define DeleteFile and ShellExecute as macros,
// which would rename the platform's own functions of those names; the backend calls the W
// functions by their full names instead.
#pragma once

#include <windows.h>
// shellapi.h needs the declarations of windows.h before it.
#include <shellapi.h>

#undef DeleteFile
#undef ShellExecute
