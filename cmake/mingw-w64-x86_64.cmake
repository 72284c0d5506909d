# Cross-compiles the Windows program with Debian's mingw-w64 -posix toolchain (GoogleTest needs
# std::mutex) and runs its test executables under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KRV_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KRV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KRV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KRV_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KRV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A static runtime: the program needs no DLL beyond the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
