#include "run/run_state.h"

#include "platform/standard_output.h"
#include "rfc/diagnostics.h"

namespace kestrovan {

void print(const std::string& text) { platform::write_stdout(text); }

void print_final(const std::string& text) {
  platform::claim_stdout_for_run();
  platform::write_stdout(text);
}

int end_with_error(RunState& state, const std::string& message) {
  error_document(state.document, message);
  print_final(state.document.text);
  return kExitReportedFailure;
}

int end_with_trace_hint(RunState& state, const std::string& message) {
  int exit_code = end_with_error(state, message + trace_hint(std::string(kTraceFileName)));
  state.connection.close();
  return exit_code;
}

ListingRequest listing_request(const RunState& state) {
  const RunOptions& options = state.startup.options;
  return {state.location.run_kind,
          state.location.profile_directory,
          state.location.profile_name,
          options.item,
          state.startup.second_argument,
          options.given,
          options.sensor_name};
}

void install_rfc_environment() { install_error_handler(rfc_error_handler); }

bool is_db4(const SystemInformation& information) {
  return information.database_system.compare(0, 3, "DB4") == 0;
}

}  // namespace kestrovan
