// What one run knows: owned by the run driver and passed down to each step.
#pragma once

#include <string>

#include "calls/descriptors.h"
#include "common/records.h"
#include "output/result_document.h"
#include "profiles/connection_parameters.h"
#include "profiles/global_listing.h"
#include "profiles/location.h"
#include "rfc/rfc_session.h"
#include "run/startup.h"

namespace kestrovan {

struct RunState {
  Startup startup;
  ProfileLocation location;
  ResultDocument document;
  ConnectionParameters parameters;
  SystemInformation system_information;
  TypeHandles types;
  RfcConnection connection;
  unsigned parallel = 1;  // systems of a global run in their turn at once
};

inline constexpr int kExitDone = 0;
inline constexpr int kExitReportedFailure = 2;

// Replaces the document with the error document for `message` and prints it.
// Returns the exit code of a reported failure.
int end_with_error(RunState& state, const std::string& message);

// A failed remote call: its message, the trace hint, the error document;
// then the open connection is closed.
int end_with_trace_hint(RunState& state, const std::string& message);

// What the run's global listing is read with: its kind, file and the
// command line's item, options and sensor name.
ListingRequest listing_request(const RunState& state);

// Installs the RFC library's error handler for the rest of the process.
void install_rfc_environment();

// The first three characters of the database system are "DB4".
bool is_db4(const SystemInformation& information);

void print(const std::string& text);

// Prints the run's final document: from here on the time limit can no longer
// end the output.
void print_final(const std::string& text);

}  // namespace kestrovan
