#include "run/single_run.h"

#include "platform/platform.h"
#include "profiles/profile_reader.h"

namespace kestrovan {

int run_single_profile(RunState& state) {
  const std::string& name = state.location.profile_name;
  std::FILE* profile = platform::open_for_reading(state.location.path());
  if (!profile) return end_with_error(state, "Error 1002: Profile " + name + " is missing...");
  bool valid = true;
  if (auto error = read_profile(profile, name, false, state.parameters, valid)) {
    return end_with_error(state, *error);
  }
  if (auto error = check_profile(state.parameters, name, false, valid)) {
    return end_with_error(state, *error);
  }
  return kExitDone;
}

}  // namespace kestrovan
