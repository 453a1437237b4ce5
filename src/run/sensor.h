// The run driver: one process, one run, from the command line to the exit
// code. Exit codes: 0 a completed run, 2 every failure that is reported by an
// error document, 1 only through the RFC error handler, which ends the
// process itself.
#pragma once

#include <string>
#include <vector>

namespace kestrovan {

int run_sensor(const std::vector<std::string>& arguments);

}  // namespace kestrovan
