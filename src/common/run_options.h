// The options of a run, parsed once from the options string (the second
// command-line argument, or the second and third joined by a blank; after a
// global listing, the text of its sensor entry). A keyword counts wherever
// it stands in the string, in any letter case; a value runs from the
// keyword's end up to a stop character, in the letter case it was written.
//
//   #  @  $  %     progress lines                      -> progress
//   @              PRTG: profile where the name says   -> at_sign
//   ITEM=name      global run over the profile index   -> item_mode, item
//   CH=n           Quendar: only the n-th channel       -> channel_selected, channel
//   ,HOST=name     logon to another host               -> host_override, host
//   ,NO=nn         logon to another system number      -> sysnr_override, sysnr
//   ,SYSLOG        a trace line per RFC step           -> syslog
#pragma once

#include <cstddef>
#include <string>

namespace kestrovan {

inline constexpr std::size_t kOptionsLimit = 127;       // command line: characters read
inline constexpr std::size_t kItemLimit = 90;           // characters of an item name
inline constexpr std::size_t kChannelSelectDigits = 3;  // characters read after "CH="
inline constexpr std::size_t kOverrideLimit = 60;       // characters of ",HOST=" / ",NO="

struct RunOptions {
  std::string given;  // the options as written
  bool progress = false;
  bool at_sign = false;
  bool item_mode = false;
  std::string item;  // colons stand for blanks
  bool channel_selected = false;
  int channel = 0;
  bool host_override = false;
  std::string host;
  bool sysnr_override = false;
  std::string sysnr;
  bool syslog = false;
  // The options up to their first blank, upper-cased: the sensor name that
  // selects the lines of a global listing.
  std::string sensor_name;
};

// Parses `given` as it is; the command line's options are cut to
// kOptionsLimit before, a listing's sensor entry is taken whole.
RunOptions parse_run_options(std::string given);

}  // namespace kestrovan
