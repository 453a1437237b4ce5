// The installation's settings file "Kestrovan.ini", beside the executable.
// One "Name=Value" a line; blanks around name and value are trimmed; blank
// lines and lines starting with "#" or ";" are comments; names are matched
// without regard to case; unknown names are ignored; a UTF-8 byte-order mark
// at the start is skipped; the last line of a name counts.
//
//   HostKind=Quendar        one of EXEXML, Vornelk, Quendar, Maltheon, Tirvasc
//   RfcLibrary=librfc32.dll SAP's classic RFC library, a file name or a path;
//                           absent or empty: the built-in library
//   Timeout=55              seconds from the start after which a run ends with
//                           its own error document (1 to 900); absent or
//                           empty: no limit
//   Parallel=8              systems of a global run in their turn at once
//                           (1 to 32); absent or empty: 1
//
// Without the file every setting keeps its default.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/host_kind.h"

namespace kestrovan {

inline constexpr std::string_view kSettingsFileName = "Kestrovan.ini";

inline constexpr unsigned kMaxTimeoutSeconds = 900;  // PRTG's own longest timeout
inline constexpr unsigned kMaxParallel = 32;

struct Settings {
  HostKind host = HostKind::kExexml;
  std::string rfc_library;       // empty: the built-in library
  unsigned timeout_seconds = 0;  // 0: no limit
  unsigned parallel = 1;
};

// The settings the text gives; the error message for a value that is not
// allowed (then `settings` keeps its defaults).
Failure parse_settings(std::string_view text, Settings& settings);

// The settings file beside `executable_path` (the whole path of the program).
std::string settings_path(const std::string& executable_path);

// Reads the settings file beside the running executable.
Failure read_settings(Settings& settings);

}  // namespace kestrovan
