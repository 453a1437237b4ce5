#include "platform/library_header.h"

#include <cstdint>
#include <cstdio>

#include "platform/platform.h"

namespace kestrovan::platform {

namespace {

// The DOS stub's field that holds the offset of the PE signature.
constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::uint16_t kMachineX86 = 0x014C;
constexpr std::uint16_t kMachineX64 = 0x8664;

std::uint32_t little_endian(const std::string& bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

}  // namespace

LibraryHeader library_header_of(const std::string& head) {
  if (head.size() < kPeOffsetField + 4 || head.compare(0, 2, "MZ") != 0) {
    return LibraryHeader::kNoWindowsLibrary;
  }
  std::size_t signature = little_endian(head, kPeOffsetField, 4);
  // "PE\0\0", then the machine as two bytes.
  if (signature > head.size() || head.size() - signature < 6 ||
      head.compare(signature, 4, std::string("PE\0\0", 4)) != 0) {
    return LibraryHeader::kNoWindowsLibrary;
  }
  switch (little_endian(head, signature + 4, 2)) {
    case kMachineX86:
      return LibraryHeader::k32Bit;
    case kMachineX64:
      return LibraryHeader::k64Bit;
    default:
      return LibraryHeader::kOtherMachine;
  }
}

LibraryHeader library_header_of_file(const std::string& path) {
  std::FILE* file = open_for_reading(path);
  if (!file) return LibraryHeader::kNoWindowsLibrary;
  std::string head(kLibraryHeaderReadLimit, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::fclose(file);
  return library_header_of(head);
}

}  // namespace kestrovan::platform
