#include "run/global_run.h"

#include "calls/dictionary.h"
#include "calls/system_info.h"
#include "common/text.h"
#include "output/dictionary_document.h"
#include "platform/platform.h"
#include "profiles/global_listing.h"
#include "profiles/profile_reader.h"
#include "rfc/connection.h"
#include "rfc/diagnostics.h"
#include "run/progress.h"
#include "run/time_limit.h"

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
  print_final(state.document.text);
  state.connection.close();
  return kExitReportedFailure;
}

// One system's turn. Returns an exit code when the turn ends the whole run.
std::optional<int> take_turn(RunState& state, const std::string& name, Counters& counters) {
  const RunOptions& options = state.startup.options;
  ++counters.systems;
  name_time_limit_subject(name);
  bool found = false;
  std::FILE* profile =
      name.empty() ? nullptr : platform::open_for_reading(state.location.profile_directory + name);
  if (!profile) return std::nullopt;

  // Every system starts from nothing: no field of the previous profile may
  // take part in this system's logon.
  state.parameters = ConnectionParameters{};
  // A fault of the profile only counts: the system fails without a logon.
  Failure profile_fault = read_profile(profile, name, kGlobalRunLineLimit, state.parameters);
  if (!profile_fault) profile_fault = check_profile(state.parameters, name);
  bool valid = !profile_fault;

  std::string line;
  if (state.startup.options.progress)
    line = system_line(platform::local_time_text(), name, state.parameters);

  install_rfc_environment();
  state.document.text.clear();
  bool ok = false;
  // An invalid profile is not logged on: a logon with incomplete data could
  // only fail, and failed logons lock SAP users.
  if (valid) {
    state.connection = open_connection(state.parameters, options, state.startup.options.progress);
  }
  if (valid && !state.connection.is_open()) valid = false;
  if (valid) {
    if (Failure failure = read_system_information(state.connection, options, state.types,
                                                  state.system_information)) {
      return end_open_document(state, *failure + trace_hint(std::string(kTraceFileName)));
    }
    if (!is_db4(state.system_information)) {
      return end_open_document(state, "Error 1018: DataBase mismatch !");
    }
    DictionaryInfo dictionary;
    Failure failure = check_dictionary(state.connection, options, state.types, dictionary);
    state.connection.close();
    ok = !failure;
    if (ok) {
      found = !trim_trailing_blanks(dictionary.dbsys).empty();
    } else {
      append_text(state.document, *failure);
    }
  }

  const char* outcome = !valid || !ok ? "Rfc Failure" : !found ? "Not Found" : "Processed";
  if (valid && ok && found) {
    ++counters.processed;
  } else {
    ++counters.failed;
  }
  if (state.startup.options.progress) print("\n" + line + " State=" + outcome + "\n");
  return std::nullopt;
}

}  // namespace

int run_global_listing(RunState& state) {
  Startup& startup = state.startup;
  GlobalListing listing;
  ListingRequest request{state.location.run_kind,     state.location.profile_directory,
                         state.location.profile_name, startup.options.item,
                         startup.second_argument,     startup.options.given,
                         startup.options.sensor_name};
  if (Failure error = read_global_listing(request, listing)) return end_with_error(state, *error);
  // The listing's sensor entry gives the options of the rest of the run;
  // progress lines stay as the command line asked.
  bool progress = startup.options.progress;
  startup.options = parse_run_options(listing.parameter_text);
  startup.options.progress = progress;
  open_trace_streams(startup.options);

  if (progress) {
    print(startup.start_line + "\n");
    print("* " + startup.start_time + " " + global_run_parameter_text(listing.parameter_text) +
          " State=Executing\n");
  }
  begin_document(state.document);
  print_document_opening(state.document.text + "\n");
  state.document.text.clear();

  Counters counters;
  while (has_more_profiles(listing)) {
    if (auto exit_code = take_turn(state, take_profile_name(listing), counters)) {
      return *exit_code;
    }
  }

  begin_text(state.document);
  append_text(state.document, summary_text_line(listing.item, counters.systems, counters.processed,
                                                counters.failed));
  end_text(state.document, startup.options);
  end_document(state.document);
  print_final(state.document.text + "\n");
  if (progress) print(end_line(platform::local_time_text()) + "\n");
  return kExitDone;
}

}  // namespace kestrovan
