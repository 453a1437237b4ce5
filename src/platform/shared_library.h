// Loading a shared library at run time (a DLL on Windows, a shared object
// elsewhere) and finding its functions by name. A loaded library stays
// loaded until the process ends.
#pragma once

#include <string>

namespace kestrovan::platform {

// Whether the system's _stdcall functions may be exported under decorated
// names ("_RfcOpen@4"): true for 32-bit Windows only.
#if defined(_WIN32) && !defined(_WIN64)
inline constexpr bool kDecoratedStdcallNames = true;
#else
inline constexpr bool kDecoratedStdcallNames = false;
#endif

// Loads the library `name`. A name with a folder is used as given; on
// Windows the library's own dependencies are then looked for beside it. A
// bare name is looked for in the executable's folder first, then by the
// system's own search, and by 32-bit Windows programs also in SAP GUI's
// folders below %ProgramFiles(x86)% and %ProgramFiles%. Returns null and sets
// `reason` to a short text when no library could be loaded.
void* load_shared_library(const std::string& name, std::string& reason);

// The file a loaded library was loaded from, as a full path where the system
// tells it; empty when it cannot be told.
std::string shared_library_file(void* library);

// The address of the function `name` of a loaded library, null if it has none.
void* shared_library_function(void* library, const char* name);

}  // namespace kestrovan::platform
