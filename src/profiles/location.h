// Profile location: which file is the profile (or the listing of a global
// run) and in which folder it lies.
//
// Name: ".P00" is appended unless the name already ends in a three-character
// extension; a folder part is split off at the last separator (not at the
// first position); GLOBAL.P00 stands for the global listing "SAP
// Tallisan.Gbl"; with "ITEM=" the name is "Tallisan.Prf".
//
// Folder: for PRTG ("EXEXML", without "@" in the options) the profile must
// lie in a folder ending in "ExeXml", found through the path file
// "C:\PRTG_Path.Txt" or the three fixed installation folders on the current
// drive. The other host kinds, and "EXEXML" with "@", open the profile from
// the folder given with the name.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/host_kind.h"
#include "common/run_options.h"
#include "profiles/run_kind.h"

namespace kestrovan {

inline constexpr std::size_t kPathFileLineLimit = 99;

struct ProfileLocation {
  std::string profile_name;       // file name without folder
  std::string profile_directory;  // ends in a separator, or empty
  RunKind run_kind = RunKind::kSingleProfile;

  std::string path() const { return profile_directory + profile_name; }
};

// How the search sees the file system; tests replace it.
struct FileProbe {
  std::function<bool(const std::string& path)> can_open;
  // The lines of a file read in pieces of at most `max_chars`; nullopt when
  // the file cannot be opened.
  std::function<std::optional<std::vector<std::string>>(const std::string& path,
                                                        std::size_t max_chars)>
      read_lines;
};

FileProbe real_file_probe();

struct ResolvedName {
  std::string folder;
  std::string name;
  bool global_listing = false;
};

// Name resolution alone, with `separator` as the folder separator.
ResolvedName resolve_profile_name(const std::string& argument, bool item_mode, char separator);

// The whole location. Returns the error message when the profile cannot be
// found or lies in the wrong folder.
Failure locate_profile(const std::string& argument, const RunOptions& options, bool item_mode,
                       HostKind host, const FileProbe& probe, ProfileLocation& location,
                       char separator);

// The message of a profile that cannot be found (Error 1002), naming `what`.
std::string profile_missing_message(const std::string& what);

// The PRTG folder names as seen with `separator`.
std::string prtg_path_file_name();
std::vector<std::string> prtg_fixed_folders(char separator);

}  // namespace kestrovan
