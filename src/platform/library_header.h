// What the header of a Windows library file (a PE image) says about the
// programs that can load it. Windows refuses a file that is no library and a
// library of the other bitness with the same error (193); the header tells
// the two apart, so that the message says which one it is.
#pragma once

#include <cstddef>
#include <string>

namespace kestrovan::platform {

enum class LibraryHeader {
  kNoWindowsLibrary,  // no PE image: a text file, a Linux library, a cut file
  k32Bit,             // machine x86
  k64Bit,             // machine x64
  kOtherMachine,      // a PE image for another processor (ARM, Itanium)
};

// How many bytes of a file the header is looked for in; a PE header further
// in than this counts as no library.
inline constexpr std::size_t kLibraryHeaderReadLimit = 4096;

// The kind of the image whose first bytes are `head`.
LibraryHeader library_header_of(const std::string& head);

// The kind of the file `path`; kNoWindowsLibrary when it cannot be read.
LibraryHeader library_header_of_file(const std::string& path);

}  // namespace kestrovan::platform
