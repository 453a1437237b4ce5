#include "run/startup.h"

#include "common/text.h"
#include "common/version.h"

namespace kestrovan {

std::string make_start_line(const std::string& start_time) {
  return "* " + start_time + " SAP " + std::string(kProgramName) + " " + std::string(kVersionText);
}

Failure start_up(const std::vector<std::string>& arguments, const std::string& start_time,
                 Startup& startup) {
  startup = Startup{};
  startup.start_time = start_time;
  startup.start_line = make_start_line(start_time);
  if (!arguments.empty()) startup.program_path = arguments[0];
  if (arguments.size() < 2) return "Error 1001: Parameter for Profile-Name is missing !";

  startup.profile_argument = arguments[1];  // held whole: a full path is long
  std::string given;
  if (arguments.size() > 2) {
    startup.second_argument = arguments[2];
    given = arguments[2];
  }
  if (arguments.size() > 3) given += " " + arguments[3];
  startup.options = parse_run_options(std::string(cut(given, kOptionsLimit)));
  return std::nullopt;
}

}  // namespace kestrovan
