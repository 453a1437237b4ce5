// "Kestrovan --check NAME [options]": everything a run does before its
// logon, shown line by line for the administrator, without logging on (no
// failed logon can lock the SAP user) and without writing any file:
//
//   the settings file and host kind, the RFC library (and whether it loads
//   with every function), the working directory (where Dev_Rfc.Trc goes),
//   every place the profile search tried and the one it took, the profile's
//   fields (the password only as "stored form valid" or why not), the
//   per-destination ini file, SapSim.ini for the built-in library; for a
//   global listing the systems it would check.
//
// Exit code 0 when a run would log on, 2 when it would stop before.
#pragma once

#include <string>
#include <vector>

namespace kestrovan {

// `arguments`: the program path, then NAME and the options, as a run gets
// them (without "--check").
int run_check(const std::vector<std::string>& arguments);

// The usage text of "--help".
std::string usage_text();

}  // namespace kestrovan
