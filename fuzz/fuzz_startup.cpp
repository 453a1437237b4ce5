// Start-up from arbitrary arguments (the input split at zero bytes): the
// buffers' bounds hold, the search form is the upper-case given form, the
// progress flag and the item follow the options, and name resolution loses no
// character of the name.
#include <string>
#include <vector>

#include "common/text.h"
#include "fuzz_support.h"
#include "profiles/location.h"
#include "run/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  std::vector<std::string> arguments =
      fuzz::split(std::string_view(reinterpret_cast<const char*>(data), size), '\0');
  arguments.insert(arguments.begin(), "Kestrovan");
  kestrovan::Startup startup;
  auto error = kestrovan::start_up(arguments, "12:00:00", startup);
  if (arguments.size() < 2) {
    fuzz::check(error.has_value(), "no profile name accepted");
    return 0;
  }
  fuzz::check(!error, "profile name refused");
  fuzz::check(startup.profile_argument == arguments[1], "first argument not held whole");
  const kestrovan::RunOptions& options = startup.options;
  fuzz::check(options.given.size() <= kestrovan::kOptionsLimit, "options > 127");
  std::string search = kestrovan::to_upper(options.given);
  bool marker = options.given.find_first_of("#@$%") != std::string::npos;
  fuzz::check(options.progress == marker, "progress flag");
  fuzz::check(options.item_mode == (search.find("ITEM=") != std::string::npos), "item mode");
  fuzz::check(options.syslog == (search.find(",SYSLOG") != std::string::npos), "syslog");
  fuzz::check(options.item.size() <= kestrovan::kItemLimit, "item > 90");
  fuzz::check(options.item.find(':') == std::string::npos, "colon in the item");
  fuzz::check(options.host.size() <= kestrovan::kOverrideLimit, "host override > 60");
  fuzz::check(options.channel >= -99 && options.channel <= 999, "channel beyond three digits");
  for (char separator : {'/', '\\'}) {
    kestrovan::ResolvedName name = kestrovan::resolve_profile_name(
        startup.profile_argument, startup.options.item_mode, separator);
    std::string given = startup.options.item_mode ? "Tallisan.Prf" : startup.profile_argument;
    std::string whole = name.folder + name.name;
    if (!name.global_listing) {
      fuzz::check(whole == given || whole == given + ".P00", "name resolution lost characters");
    }
    fuzz::check(name.folder.empty() || name.folder.back() == separator, "folder without separator");
  }
  return 0;
}
