// The settings file: its settings within their ranges, or the one message of
// a bad value with every setting at its default.
#include <string>

#include "fuzz_support.h"
#include "profiles/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  kestrovan::Settings settings;
  auto error = kestrovan::parse_settings(
      std::string_view(reinterpret_cast<const char*>(data), size), settings);
  if (!error) {
    fuzz::check(settings.timeout_seconds <= kestrovan::kMaxTimeoutSeconds, "timeout beyond 900");
    fuzz::check(settings.parallel >= 1 && settings.parallel <= kestrovan::kMaxParallel,
                "parallel outside 1 to 32");
    return 0;
  }
  bool known = error->rfind("Error 1040: Invalid Host-Kind ", 0) == 0 ||
               error->rfind("Error 1043: Invalid Timeout ", 0) == 0 ||
               error->rfind("Error 1044: Invalid Parallel ", 0) == 0;
  fuzz::check(known, "unknown message");
  const std::string end = " in Kestrovan.ini found...";
  fuzz::check(error->size() >= end.size() &&
                  error->compare(error->size() - end.size(), end.size(), end) == 0,
              "message end");
  fuzz::check(settings.host == kestrovan::HostKind::kExexml, "host kind set despite the error");
  fuzz::check(settings.rfc_library.empty(), "library set despite the error");
  fuzz::check(settings.timeout_seconds == 0 && settings.parallel == 1,
              "limits set despite the error");
  return 0;
}
