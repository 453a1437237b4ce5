// The global-listing run: every system of the listing in turn, each with its
// own profile, logon, system information call and dictionary check; the
// document reports only how many systems were taken up, processed and failed.
//
// A system counts as processed when its profile is valid, its dictionary
// check succeeded and the returned record names a database system; "Not
// Found" is a system that answered without any dictionary information.
#pragma once

#include "run/run_state.h"

namespace kestrovan {

int run_global_listing(RunState& state);

}  // namespace kestrovan
