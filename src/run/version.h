// The program's name and version as every output shows them.
#pragma once

#include <string_view>

namespace kestrovan {

inline constexpr std::string_view kProgramName = "Kestrovan";
inline constexpr std::string_view kVersionText = "Vers 4.3 / 29.08.22";

}  // namespace kestrovan
