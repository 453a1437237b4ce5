#include "run/sensor.h"

#include <chrono>

#include "common/version.h"
#include "platform/platform.h"
#include "profiles/location.h"
#include "profiles/settings.h"
#include "rfc/diagnostics.h"
#include "rfc/rfc_session.h"
#include "run/check_run.h"
#include "run/global_run.h"
#include "run/run_state.h"
#include "run/single_run.h"
#include "run/time_limit.h"

namespace kestrovan {

int run_sensor(const std::vector<std::string>& arguments) {
  const auto started = std::chrono::steady_clock::now();
  if (arguments.size() == 2 && arguments[1] == "--help") {
    print(usage_text());
    return kExitDone;
  }
  if (arguments.size() == 2 && arguments[1] == "--version") {
    print(std::string(kProgramName) + " " + std::string(kVersionText) + "\n");
    return kExitDone;
  }
  if (arguments.size() >= 3 && arguments[1] == "--check") {
    std::vector<std::string> run_arguments(arguments);
    run_arguments.erase(run_arguments.begin() + 1);
    return run_check(run_arguments);
  }
  RunState state;
  Startup& startup = state.startup;
  if (auto error = start_up(arguments, platform::local_time_text(), startup)) {
    return end_with_error(state, *error);
  }
  open_trace_streams(startup.options);
  Settings settings;
  if (auto error = read_settings(settings)) return end_with_error(state, *error);
  state.document.host = settings.host;
  state.parallel = settings.parallel;
  if (settings.timeout_seconds > 0) {
    start_time_limit(settings.timeout_seconds, started, settings.host, startup.profile_argument,
                     !settings.rfc_library.empty());
  }
  // The library is bound before anything else may log on; one that cannot
  // be used ends the run before any logon and leaves Dev_Rfc.Trc alone.
  if (!settings.rfc_library.empty()) {
    RfcFunctions functions;
    if (auto error = load_rfc_functions(settings.rfc_library, functions)) {
      return end_with_error(state, *error);
    }
    bind_rfc_library(functions);
  }
  if (auto error = locate_profile(startup.profile_argument, startup.options,
                                  startup.options.item_mode, state.document.host, real_file_probe(),
                                  state.location, platform::kDirSeparator)) {
    return end_with_error(state, *error);
  }
  name_time_limit_subject(state.location.profile_name);
  if (is_global_run(state.location.run_kind)) return run_global_listing(state);
  return run_single_profile(state);
}

}  // namespace kestrovan
