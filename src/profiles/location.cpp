#include "profiles/location.h"

#include "common/text.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace kestrovan {

namespace {

constexpr std::string_view kDefaultExtension = ".P00";
constexpr std::string_view kGlobalName = "GLOBAL.P00";
constexpr std::string_view kGlobalListing = "SAP Tallisan.Gbl";
constexpr std::string_view kProfileIndex = "Tallisan.Prf";
constexpr std::size_t kExtensionWidth = 4;  // the dot and three characters

std::string with_separator(std::string_view folder, char separator) {
  return replace_all(folder, '\\', separator);
}

bool names_folder(const std::string& line, char separator) {
  return (line.size() > 0 && line[0] == separator) || (line.size() > 1 && line[1] == ':') ||
         (line.size() > 2 && line[2] == separator);
}

bool ends_in_exexml_folder(const std::string& folder, char separator) {
  constexpr std::string_view kExeXml = "EXEXML";
  if (folder.size() < kExeXml.size() + 1 || folder.back() != separator) return false;
  return to_upper(folder.substr(folder.size() - kExeXml.size() - 1, kExeXml.size())) == kExeXml;
}

// The PRTG folder search; sets the folder in which the profile opens.
Failure search_prtg_folder(const std::string& name, const FileProbe& probe, char separator,
                           std::string& folder) {
  folder.clear();
  if (auto lines = probe.read_lines(prtg_path_file_name(), kPathFileLineLimit)) {
    for (const std::string& line : *lines) {
      if (names_folder(line, separator)) folder = line;
    }
    if (folder.empty() || folder.back() != separator) folder.push_back(separator);
    std::string below_prtg =
        with_separator("PRTG Network Monitor\\Custom Sensors\\ExeXml\\", separator);
    std::string below_folder = with_separator("Custom Sensors\\ExeXml\\", separator);
    if (probe.can_open(folder + below_prtg + name)) folder += below_prtg;
    if (probe.can_open(folder + below_folder + name)) folder += below_folder;
    if (!probe.can_open(folder + name)) return profile_missing_message(name);
  }
  // A profile in the working directory alone is in the wrong place; but when
  // PRTG starts the sensor in its own ExeXml folder, the same profile is
  // found below the installation folder as well, and is taken from there.
  bool in_folder = probe.can_open(folder + name);
  if (!in_folder || !ends_in_exexml_folder(folder, separator)) {
    for (const std::string& fixed : prtg_fixed_folders(separator)) {
      if (probe.can_open(fixed + name)) {
        folder = fixed;
        in_folder = true;
        break;
      }
    }
    if (!in_folder) return profile_missing_message(name);
  }
  if (!ends_in_exexml_folder(folder, separator)) return "Sorry, invalid Path-Usage...";
  return std::nullopt;
}

}  // namespace

std::string profile_missing_message(const std::string& what) {
  return "Error 1002: Profile " + what + " is missing...";
}

std::string prtg_path_file_name() { return "C:\\PRTG_Path.Txt"; }

std::vector<std::string> prtg_fixed_folders(char separator) {
  return {
      with_separator("\\Programme\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\", separator),
      with_separator("\\Program Files\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\", separator),
      with_separator("\\Program Files (x86)\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\",
                     separator)};
}

FileProbe real_file_probe() {
  FileProbe probe;
  probe.can_open = [](const std::string& path) { return platform::can_open(path); };
  probe.read_lines = [](const std::string& path,
                        std::size_t max_chars) -> std::optional<std::vector<std::string>> {
    std::FILE* file = platform::open_for_reading(path);
    if (!file) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    platform::skip_byte_order_mark(file);
    while (platform::read_line(file, max_chars, line)) lines.push_back(line);
    std::fclose(file);
    return lines;
  };
  return probe;
}

ResolvedName resolve_profile_name(const std::string& argument, bool item_mode, char separator) {
  std::string name = item_mode ? std::string(kProfileIndex) : argument;
  if (name.size() < kExtensionWidth || name[name.size() - kExtensionWidth] != '.') {
    name += kDefaultExtension;
  }
  ResolvedName resolved;
  std::size_t last = name.rfind(separator);
  if (last != std::string::npos && last != 0) {
    resolved.folder = name.substr(0, last + 1);
    resolved.name = name.substr(last + 1);
  } else {
    resolved.name = name;
  }
  if (to_upper(resolved.name) == kGlobalName) {
    resolved.name = kGlobalListing;
    resolved.global_listing = true;
  }
  return resolved;
}

Failure locate_profile(const std::string& argument, const RunOptions& options, bool item_mode,
                       HostKind host, const FileProbe& probe, ProfileLocation& location,
                       char separator) {
  ResolvedName resolved = resolve_profile_name(argument, item_mode, separator);
  location.profile_name = resolved.name;
  location.run_kind = item_mode                 ? RunKind::kGlobalItemMode
                      : resolved.global_listing ? RunKind::kGlobalListingMode
                                                : RunKind::kSingleProfile;
  if (host != HostKind::kExexml || options.at_sign) {
    location.profile_directory = resolved.folder;
    if (!probe.can_open(location.path())) return profile_missing_message(location.path());
    return std::nullopt;
  }
  return search_prtg_folder(resolved.name, probe, separator, location.profile_directory);
}

}  // namespace kestrovan
