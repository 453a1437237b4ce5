#include "run/single_run.h"

#include "calls/dictionary.h"
#include "calls/system_info.h"
#include "common/version.h"
#include "output/dictionary_document.h"
#include "platform/platform.h"
#include "profiles/profile_reader.h"
#include "rfc/connection.h"
#include "rfc/diagnostics.h"
#include "run/progress.h"
#include "run/time_limit.h"

namespace kestrovan {

int run_single_profile(RunState& state) {
  const Startup& startup = state.startup;
  const RunOptions& options = startup.options;
  const std::string& name = state.location.profile_name;

  std::FILE* profile = platform::open_for_reading(state.location.path());
  if (!profile) return end_with_error(state, profile_missing_message(name));
  if (Failure error = read_profile(profile, name, kSingleRunLineLimit, state.parameters)) {
    return end_with_error(state, *error);
  }
  if (Failure error = check_profile(state.parameters, name)) return end_with_error(state, *error);
  name_time_limit_subject(state.parameters.destination);

  trace_event(options, static_cast<int>(state.connection.handle()), "program started",
              startup.program_path);
  install_rfc_environment();
  trace_event(options, static_cast<int>(state.connection.handle()), "RfcEnvironment called", "");
  state.document.text.clear();

  if (startup.options.progress) {
    print(startup.start_line + "\n");
    std::string now = platform::local_time_text();
    print(system_line(now, name, state.parameters) + " State=Processing\n");
    print("* " + now + " " + std::string(kProgramName) + " - " +
          single_run_parameter_text(options.given) + " State=Executing\n");
  }

  Announce announce;
  if (options.progress) announce = [](const std::string& text) { print(text); };
  state.connection = open_connection(state.parameters, options, announce);
  if (!state.connection.is_open()) {
    // The reason (wrong password, host not reached) is in the trace file.
    return end_with_trace_hint(
        state, "Error 1011: RFC-Open for " + state.parameters.destination + " failed !");
  }

  if (Failure failure = read_system_information(state.connection, options, state.types,
                                                state.system_information)) {
    return end_with_trace_hint(state, *failure);
  }

  if (!is_db4(state.system_information)) {
    int exit_code = end_with_error(state, "Error 1018: DataBase mismatch !");
    state.connection.close();
    return exit_code;
  }

  DictionaryInfo dictionary;
  Failure failure = check_dictionary(state.connection, options, state.types, dictionary);
  state.connection.close();
  if (failure) return end_with_trace_hint(state, *failure);

  write_dictionary_document(state.document, options, state.parameters.destination, dictionary);
  print_final(state.document.text);
  platform::remove_file(std::string(kTraceFileName));
  if (startup.options.progress) print(end_line(platform::local_time_text()) + "\n");
  return kExitDone;
}

}  // namespace kestrovan
