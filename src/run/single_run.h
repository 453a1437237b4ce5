// The single-profile run: read and check one profile, log on, ask the system
// for its information, compare the database with "DB4", run the dictionary
// check and print the result document.
#pragma once

#include "run/run_state.h"

namespace kestrovan {

int run_single_profile(RunState& state);

}  // namespace kestrovan
