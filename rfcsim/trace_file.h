// The library's error trace "Dev_Rfc.Trc" in the working directory. Every
// failure the library reports appends one block:
//
//   **** ERROR file opened at 20261210 070512 Kestrovan RFC library
//   ERROR       <what failed>
//          ======> <detail>             (only when there is more to say)
//
// Passwords never go into it.
#pragma once

#include <string>

namespace rfcsim {

inline constexpr const char* kTraceFileName = "Dev_Rfc.Trc";

void append_error_block(const std::string& what, const std::string& detail);

}  // namespace rfcsim
