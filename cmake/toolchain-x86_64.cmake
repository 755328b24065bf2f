# toolchain-x86_64.cmake: cross-compiles with mingw-w64 for Windows, the 64-bit build whose programs run under wine64 here.
set(MINGW_ARCH x86_64)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
