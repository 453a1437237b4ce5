# Cross-build for 32-bit Windows with Debian's mingw-w64 (package mingw-w64):
# the sensor for a 32-bit librfc32.dll, as SAP GUI installs it.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KESTROVAN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
