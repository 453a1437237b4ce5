// The installation's settings file "Kestrovan.ini", beside the executable.
// One "Name=Value" a line; blanks around name and value are trimmed; blank
// lines and lines starting with "#" or ";" are comments; names are matched
// without regard to case; unknown names are ignored.
//
//   HostKind=Quendar    one of EXEXML, Vornelk, Quendar, Maltheon, Tirvasc
//
// Without the file, or without a HostKind line, the host kind is "EXEXML".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "output/host_kind.h"

namespace kestrovan {

inline constexpr std::string_view kSettingsFileName = "Kestrovan.ini";

// The host kind the settings text selects; the error message for a value
// that names no host kind.
std::optional<std::string> host_kind_from_settings(std::string_view settings, HostKind& host);

// The settings file beside `executable_path` (the whole path of the program).
std::string settings_path(const std::string& executable_path);

// Reads the settings file beside the running executable.
std::optional<std::string> read_host_kind(HostKind& host);

}  // namespace kestrovan
