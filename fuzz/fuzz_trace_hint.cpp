// The trace hint from an arbitrary trace file: always " - " and one line of
// text of at most 87 characters, never a line end or a zero byte.
#include <string>

#include "fuzz_support.h"
#include "rfc/diagnostics.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  fuzz::enter_scratch_folder();
  fuzz::write_file("Dev_Rfc.Trc", std::string_view(reinterpret_cast<const char*>(data), size));
  std::string hint = kestrovan::trace_hint("Dev_Rfc.Trc");
  fuzz::check(hint.rfind(" - ", 0) == 0, "hint without its dash");
  fuzz::check(hint.size() <= 3 + kestrovan::kTraceLineLimit - 12, "hint too long");
  fuzz::check(hint.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
              "line end or zero byte in the hint");
  return 0;
}
