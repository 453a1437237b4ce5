#include "run/sensor.h"

#include "output/result_document.h"
#include "platform/platform.h"
#include "run/startup.h"

namespace kestrovan {

namespace {

constexpr int kExitFailure = 2;

int fail(ResultDocument& document, const std::string& message) {
  error_document(document, message);
  platform::write_stdout(document.text);
  return kExitFailure;
}

}  // namespace

int run_sensor(const std::vector<std::string>& arguments) {
  ResultDocument document;
  Startup startup;
  if (auto error = start_up(arguments, platform::local_time_text(), startup)) {
    return fail(document, *error);
  }
  return fail(document, "Error 1002: Profile " + startup.profile_argument + " is missing...");
}

}  // namespace kestrovan
