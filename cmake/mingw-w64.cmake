# Cross-build for 64-bit Windows with Debian's mingw-w64 (package mingw-w64);
# cmake/mingw-w64-i686.cmake is its 32-bit sibling.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTROVAN_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
