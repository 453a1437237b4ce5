// The systems of a global-listing run, reported together under one item.
//
// Item mode ("ITEM=" in the options): the profile index "Tallisan.Prf"; each
// line starting "# Gsng: " (case-sensitive) adds the profile names from
// column 21 on, each name followed by "#".
//
// Listing mode (profile name GLOBAL): the global listing "SAP Tallisan.Gbl".
// The sensor name (the options up to the first blank, padded to 10
// characters, in any letter case) selects its lines: "# GSNG: <name>" lines
// add names from column 21 on; the first "# GSNX: <name>" line gives, from
// column 20 on, the sensor entry: it must hold Sensor="SAP Kestrovan", its
// "Item=" names the item, and its text before ",Sensor=" becomes the
// options of the run (the run driver parses them anew).
//
// The list and the entry are held whole, however long.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "common/failure.h"
#include "profiles/profile_reader.h"
#include "profiles/run_kind.h"

namespace kestrovan {

// Characters a read takes of a line, as of a profile in a global run.
inline constexpr std::size_t kListingLineLimit = kGlobalRunLineLimit;
inline constexpr std::size_t kSensorNameWidth = 10;
inline constexpr std::size_t kListColumn = 20;   // 0-based: column 21
inline constexpr std::size_t kEntryColumn = 19;  // 0-based: column 20

struct GlobalListing {
  std::string system_list;  // profile names, each followed by "#"
  std::size_t taken = 0;    // characters of the list already taken
  std::string item;
  std::string parameter_text;  // the options the run goes on with
};

struct ListingRequest {
  RunKind mode;
  std::string profile_directory;
  std::string profile_name;     // "Tallisan.Prf" or "SAP Tallisan.Gbl"
  std::string item;             // from "ITEM=" in item mode
  std::string second_argument;  // as given, for the message of a missing sensor
  std::string options;          // the command line's options (item mode keeps them)
  std::string sensor_name;      // listing mode: selects the sensor's lines
};

// Reads the listing.
Failure read_global_listing(const ListingRequest& request, GlobalListing& listing);

bool has_more_profiles(const GlobalListing& listing);

// The next name of the list: up to the next "#", or the rest of the list.
std::string take_profile_name(GlobalListing& listing);

}  // namespace kestrovan
