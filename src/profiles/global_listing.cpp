#include "profiles/global_listing.h"

#include <cstdio>

#include "common/run_options.h"
#include "common/text.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace kestrovan {

namespace {

constexpr std::string_view kIndexMarker = "# Gsng: ";
constexpr std::string_view kAllocation = "Sensor=\"SAP Kestrovan\"";

void read_profile_index(std::FILE* file, GlobalListing& listing) {
  std::string line;
  platform::skip_byte_order_mark(file);
  while (platform::read_line(file, kListingLineLimit, line)) {
    if (line.rfind(kIndexMarker, 0) == 0 && line.size() > kListColumn) {
      listing.system_list += line.substr(kListColumn);
    }
  }
}

// The sensor's lines of the global listing: its profile names into the
// listing, its first entry line into `entry` (empty: no entry found).
Failure read_listing(std::FILE* file, const std::string& sensor_name, GlobalListing& listing,
                     std::optional<std::string>& entry) {
  std::string name = sensor_name;
  name.resize(kSensorNameWidth, ' ');
  const std::string list_key = "# GSNG: " + name;
  const std::string entry_key = "# GSNX: " + name;
  std::string line;
  platform::skip_byte_order_mark(file);
  while (platform::read_line(file, kListingLineLimit, line)) {
    std::string key = to_upper(cut(line, list_key.size()));
    if (key == list_key) {
      if (line.size() > kListColumn) listing.system_list += line.substr(kListColumn);
    } else if (key == entry_key && !entry) {
      entry = line.size() > kEntryColumn ? line.substr(kEntryColumn) : "";
      if (entry->find(kAllocation) == std::string::npos) {
        return "Error 1029: Invalid Sensor-Allocation...";
      }
      listing.parameter_text = replace_all(entry->substr(0, entry->find(",Sensor=")), ':', ' ');
    }
  }
  return std::nullopt;
}

}  // namespace

Failure read_global_listing(const ListingRequest& request, GlobalListing& listing) {
  listing = GlobalListing{};
  std::string path = request.profile_directory + request.profile_name;
  std::FILE* file = platform::open_for_reading(path);
  bool item_mode = request.mode == RunKind::kGlobalItemMode;
  if (!file) {
    return (item_mode ? "Error 1024: ProFile " : "Error 10x1: ProFile ") + request.profile_name +
           " is missing...";
  }
  if (item_mode) {
    read_profile_index(file, listing);
    std::fclose(file);
    listing.item = request.item;
    listing.parameter_text = request.options;
  } else {
    std::optional<std::string> entry;
    Failure error = read_listing(file, request.sensor_name, listing, entry);
    std::fclose(file);
    if (error) return error;
    if (!entry) return "Error 1030: Global Sensor " + request.second_argument + " not found...";
    std::size_t at = entry->find("Item=");
    if (at != std::string::npos) {
      std::string item = entry->substr(at + 5);
      item = item.substr(0, item.find_first_of(" ,"));
      listing.item = replace_all(cut(item, kItemLimit), ':', ' ');
    }
  }
  if (listing.system_list.empty()) return "Error 1025: Global Server Listing missing...";
  if (listing.item.empty()) return "Error 1026: Global Item Idenification missing...";
  return std::nullopt;
}

bool has_more_profiles(const GlobalListing& listing) {
  return listing.taken < listing.system_list.size();
}

std::string take_profile_name(GlobalListing& listing) {
  std::size_t end = listing.system_list.find('#', listing.taken);
  if (end == std::string::npos) end = listing.system_list.size();
  std::string name = listing.system_list.substr(listing.taken, end - listing.taken);
  listing.taken = end < listing.system_list.size() ? end + 1 : end;
  return name;
}

}  // namespace kestrovan
