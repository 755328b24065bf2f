# toolchain-i686.cmake: cross-compiles with mingw-w64 for Windows, the 32-bit release build.
set(MINGW_ARCH i686)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
