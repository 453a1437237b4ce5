// What one run knows: owned by the run driver and passed down to each step.
#pragma once

#include <string>

#include "output/result_document.h"
#include "profiles/connection_parameters.h"
#include "profiles/location.h"
#include "run/startup.h"

namespace kestrovan {

struct RunState {
  Startup startup;
  ProfileLocation location;
  ResultDocument document;
  ConnectionParameters parameters;
};

// Replaces the document with the error document for `message` and prints it.
// Returns the exit code of a reported failure.
int end_with_error(RunState& state, const std::string& message);

inline constexpr int kExitDone = 0;
inline constexpr int kExitReportedFailure = 2;

}  // namespace kestrovan
