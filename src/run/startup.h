// Start-up: what the sensor takes from its command line before it looks for
// a profile.
//
//   program profile-name [options [more-options]]
//
// The options are the second argument, or the second and third joined by a
// blank; further arguments are ignored. The first argument (a profile name
// or a whole path) is held whole; the options are cut to kOptionsLimit
// characters and parsed once.
#pragma once

#include <string>
#include <vector>

#include "common/failure.h"
#include "common/run_options.h"

namespace kestrovan {

struct Startup {
  std::string start_time;        // "HH:MM:SS" at start-up
  std::string start_line;        // "* <time> SAP Kestrovan <version>"
  std::string program_path;      // the first process argument, as received
  std::string profile_argument;  // the first argument after the program
  std::string second_argument;   // as given, uncut (named in one listing message)
  RunOptions options;
};

// Fills `startup` from the process arguments (program path first). Fails
// when no profile name was given.
Failure start_up(const std::vector<std::string>& arguments, const std::string& start_time,
                 Startup& startup);

// "* %s SAP %s %s" with the start time, the program name and the version.
std::string make_start_line(const std::string& start_time);

}  // namespace kestrovan
