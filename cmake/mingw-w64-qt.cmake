# Toolchain for Debian's mingw-w64 (x86-64, POSIX threads). scripts/build-qt-windows
# builds Qt itself with it; the project's own Windows toolchain includes it.
# The MinGW runtime is linked as DLLs: Qt's libraries are shared, and one
# runtime for all of them keeps exceptions and allocations crossing DLLs safe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The Linux Qt's host tools (moc, rcc) are found outside the root path.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
