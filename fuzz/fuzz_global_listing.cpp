// The profile index and the global listing: the first line of the input is
// the command-line options, the rest the file. On success the list and the
// item are not empty, the options are the parameter text, and taking the
// names consumes the list exactly.
#include <string>

#include "common/run_options.h"
#include "common/text.h"
#include "fuzz_support.h"
#include "profiles/global_listing.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  fuzz::enter_scratch_folder();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t line_end = input.find('\n');
  std::string given(input.substr(0, line_end));
  std::string_view file = line_end == std::string_view::npos ? "" : input.substr(line_end + 1);
  for (kestrovan::RunKind mode :
       {kestrovan::RunKind::kGlobalItemMode, kestrovan::RunKind::kGlobalListingMode}) {
    std::string name =
        mode == kestrovan::RunKind::kGlobalItemMode ? "Tallisan.Prf" : "SAP Tallisan.Gbl";
    fuzz::write_file(name, file);
    kestrovan::RunOptions options = kestrovan::parse_run_options(given);
    kestrovan::GlobalListing listing;
    auto error = kestrovan::read_global_listing(
        {mode, "", name, "Item", given, options.given, options.sensor_name}, listing);
    if (error) {
      fuzz::check(error->rfind("Error 10", 0) == 0, "unknown message");
      continue;
    }
    fuzz::check(!listing.system_list.empty() && !listing.item.empty(), "empty list or item");
    fuzz::check(listing.item.size() <= kestrovan::kItemLimit, "item > 90");
    if (mode == kestrovan::RunKind::kGlobalItemMode) {
      fuzz::check(listing.parameter_text == given, "item mode changed the options");
    }
    std::size_t taken = 0, names = 0;
    while (kestrovan::has_more_profiles(listing)) {
      std::string profile = kestrovan::take_profile_name(listing);
      fuzz::check(profile.find('#') == std::string::npos, "name with #");
      taken += profile.size();
      ++names;
    }
    fuzz::check(taken <= listing.system_list.size() && names > 0, "list not consumed exactly");
  }
  return 0;
}
