#include "run/global_run.h"

#include "calls/dictionary.h"
#include "common/text.h"
#include "platform/platform.h"
#include "profiles/global_listing.h"
#include "profiles/profile_reader.h"
#include "rfc/connection.h"
#include "rfc/diagnostics.h"
#include "run/progress.h"

namespace kestrovan {

namespace {

struct Counters {
  unsigned systems = 0;
  unsigned processed = 0;
  unsigned failed = 0;
};

// Ends the run in the middle: the opening of the document is already on
// standard output, so the XML forms are closed with the error lines instead
// of a second document; the text forms get the error document.
int end_open_document(RunState& state, const std::string& message) {
  if (is_xml_host(state.document.host)) {
    error_closing(state.document, message);
  } else {
    error_document(state.document, message);
  }
  print(state.document.text);
  state.connection.close();
  return kExitReportedFailure;
}

// One system's turn. Returns an exit code when the turn ends the whole run.
std::optional<int> take_turn(RunState& state, const std::string& name, Counters& counters) {
  const Options& options = state.startup.options;
  ++counters.systems;
  bool found = false;
  std::FILE* profile =
      name.empty() ? nullptr : platform::open_for_reading(state.location.profile_directory + name);
  if (!profile) return std::nullopt;

  // Every system starts from nothing: no field of the previous profile may
  // take part in this system's logon.
  state.parameters = ConnectionParameters{};
  bool valid = true;
  read_profile(profile, name, true, state.parameters, valid);
  check_profile(state.parameters, name, true, valid);

  std::string line;
  if (state.startup.progress)
    line = system_line(platform::local_time_text(), name, state.parameters);

  install_rfc_environment();
  state.document.text.clear();
  bool ok = false;
  // An invalid profile is not logged on: a logon with incomplete data could
  // only fail, and failed logons lock SAP users.
  if (valid) state.connection = open_connection(state.parameters, options, state.startup.progress);
  if (valid && !state.connection.is_open()) valid = false;
  if (valid) {
    CallResult information = read_system_information(state.connection, options, state.types,
                                                     state.system_information, state.parameters);
    if (information.code != RFC_OK) {
      return end_open_document(state,
                               information.message + trace_hint(std::string(kTraceFileName)));
    }
    if (!is_db4(state.system_information)) {
      return end_open_document(state, "Error 1018: DataBase mismatch !");
    }
    DictionaryInfo dictionary;
    CallResult check = check_dictionary(state.connection, options, state.types, dictionary);
    state.connection.close();
    ok = check.code == RFC_OK;
    if (ok) {
      found = !trim_trailing_blanks(dictionary.dbsys).empty();
    } else {
      append_text(state.document, check.message);
    }
  }

  const char* outcome = !valid || !ok ? "Rfc Failure" : !found ? "Not Found" : "Processed";
  if (valid && ok && found) {
    ++counters.processed;
  } else {
    ++counters.failed;
  }
  if (state.startup.progress) print("\n" + line + " State=" + outcome + "\n");
  return std::nullopt;
}

}  // namespace

int run_global_listing(RunState& state) {
  Startup& startup = state.startup;
  GlobalListing listing;
  ListingRequest request{state.location.run_kind, state.location.profile_directory,
                         state.location.profile_name, startup.item, startup.second_argument};
  if (auto error = read_global_listing(request, startup.options, listing)) {
    return end_with_error(state, *error);
  }
  open_trace_streams(startup.options);

  if (startup.progress) {
    print(startup.start_line + "\n");
    print("* " + startup.start_time + " " + global_run_parameter_text(listing.parameter_text) +
          " State=Executing\n");
  }
  begin_document(state.document);
  print(state.document.text + "\n");
  state.document.text.clear();

  Counters counters;
  while (has_more_profiles(listing)) {
    if (auto exit_code = take_turn(state, take_profile_name(listing), counters)) {
      return *exit_code;
    }
  }

  begin_text(state.document);
  append_text(state.document, "(***) " + listing.item +
                                  ": NoSystems=" + std::to_string(counters.systems) +
                                  ", Processed=" + std::to_string(counters.processed) +
                                  ", Failed=" + std::to_string(counters.failed));
  end_text(state.document, startup.options);
  end_document(state.document);
  print(state.document.text + "\n");
  if (startup.progress) print(end_line(platform::local_time_text()) + "\n");
  return kExitDone;
}

}  // namespace kestrovan
