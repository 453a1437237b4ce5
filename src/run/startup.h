// Start-up: what the sensor takes from its command line before it looks for
// a profile.
//
//   program profile-name [options [more-options]]
//
// The options are the second argument, or the second and third joined by a
// blank; further arguments are ignored. The first argument (a profile name
// or a whole path) is held whole; the options are cut to 127 characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "run/options.h"

namespace kestrovan {

inline constexpr std::size_t kOptionsLimit = 127;
inline constexpr std::size_t kItemLimit = 90;

struct Startup {
  std::string start_time;        // "HH:MM:SS" at start-up
  std::string start_line;        // "* <time> SAP Kestrovan <version>"
  std::string program_path;      // the first process argument, as received
  std::string profile_argument;  // the first argument after the program
  std::string second_argument;   // as given, uncut (named in one listing message)
  Options options;
  bool progress = false;   // the options hold "#", "@", "$" or "%"
  bool item_mode = false;  // "ITEM=" in the options: global-listing run
  std::string item;
};

// Fills `startup` from the process arguments (program path first). Returns
// the error message when no profile name was given.
std::optional<std::string> start_up(const std::vector<std::string>& arguments,
                                    const std::string& start_time, Startup& startup);

// "* %s SAP %s %s" with the start time, the program name and the version.
std::string make_start_line(const std::string& start_time);

}  // namespace kestrovan
