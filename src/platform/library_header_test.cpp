#include "platform/library_header.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace kestrovan::platform {
namespace {

// A PE image's first bytes: the DOS stub's "MZ", the offset of the PE
// signature at 0x3C, the signature and the machine.
std::string image(std::uint32_t signature_at, std::uint16_t machine,
                  const std::string& signature = std::string("PE\0\0", 4)) {
  std::string head(signature_at, '\0');
  head.replace(0, 2, "MZ");
  for (int i = 0; i < 4; ++i) head[0x3C + i] = static_cast<char>(signature_at >> (8 * i));
  head += signature;
  head += static_cast<char>(machine & 0xFF);
  head += static_cast<char>(machine >> 8);
  head += std::string(16, '\0');
  return head;
}

TEST(LibraryHeader, TellsBitnessFromTheMachine) {
  struct Case {
    const char* what;
    std::string head;
    LibraryHeader expected;
  };
  const Case cases[] = {
      {"x86", image(0x80, 0x014C), LibraryHeader::k32Bit},
      {"x64", image(0x80, 0x8664), LibraryHeader::k64Bit},
      {"ARM64", image(0x80, 0xAA64), LibraryHeader::kOtherMachine},
      {"signature right after its offset field", image(0x40, 0x8664), LibraryHeader::k64Bit},
      {"a text file", "not a library\n", LibraryHeader::kNoWindowsLibrary},
      {"empty", "", LibraryHeader::kNoWindowsLibrary},
      {"an ELF library",
       "\x7F"
       "ELF" +
           std::string(60, '\2'),
       LibraryHeader::kNoWindowsLibrary},
      {"a DOS program without PE signature", image(0x80, 0x014C, "NE\0\0"),
       LibraryHeader::kNoWindowsLibrary},
      {"cut within the machine", image(0x80, 0x8664).substr(0, 0x80 + 5),
       LibraryHeader::kNoWindowsLibrary},
      {"cut before the offset field", image(0x80, 0x8664).substr(0, 0x3E),
       LibraryHeader::kNoWindowsLibrary},
  };
  for (const Case& c : cases) EXPECT_EQ(library_header_of(c.head), c.expected) << c.what;

  // A signature offset far beyond the bytes read, or wrapping round.
  std::string far = image(0x80, 0x8664);
  far[0x3C] = far[0x3D] = far[0x3E] = far[0x3F] = '\xFF';
  EXPECT_EQ(library_header_of(far), LibraryHeader::kNoWindowsLibrary);
}

TEST(LibraryHeader, ReadsTheFileUpToItsLimit) {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "kestrovan-header.dll";
  auto header_of = [&](const std::string& content) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    return library_header_of_file(path.string());
  };
  EXPECT_EQ(header_of(image(0x100, 0x014C)), LibraryHeader::k32Bit);
  // The signature must lie within the bytes read.
  EXPECT_EQ(header_of(image(kLibraryHeaderReadLimit - 6, 0x8664)), LibraryHeader::k64Bit);
  EXPECT_EQ(header_of(image(kLibraryHeaderReadLimit, 0x8664)), LibraryHeader::kNoWindowsLibrary);
  std::filesystem::remove(path);
  EXPECT_EQ(library_header_of_file(path.string()), LibraryHeader::kNoWindowsLibrary);
}

}  // namespace
}  // namespace kestrovan::platform
