// The settings file: its settings, or the one message of a bad value.
#include <string>

#include "fuzz_support.h"
#include "profiles/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  kestrovan::Settings settings;
  auto error = kestrovan::parse_settings(
      std::string_view(reinterpret_cast<const char*>(data), size), settings);
  if (error) {
    fuzz::check(error->rfind("Error 1040: Invalid Host-Kind ", 0) == 0, "unknown message");
    const std::string end = " in Kestrovan.ini found...";
    fuzz::check(error->size() >= end.size() &&
                    error->compare(error->size() - end.size(), end.size(), end) == 0,
                "message end");
    fuzz::check(settings.host == kestrovan::HostKind::kExexml, "host kind set despite the error");
    fuzz::check(settings.rfc_library.empty(), "library set despite the error");
  }
  return 0;
}
