#include "run/global_run.h"

#include <optional>
#include <vector>

#include "calls/dictionary.h"
#include "calls/system_info.h"
#include "common/text.h"
#include "output/dictionary_document.h"
#include "platform/platform.h"
#include "profiles/global_listing.h"
#include "profiles/profile_reader.h"
#include "rfc/connection.h"
#include "rfc/diagnostics.h"
#include "run/parallel_turns.h"
#include "run/progress.h"
#include "run/time_limit.h"

namespace kestrovan {

namespace {

enum class Outcome { kNoProfile, kRfcFailure, kNotFound, kProcessed };

// What one system's turn found out, to be reported in list order.
struct TurnResult {
  Outcome outcome = Outcome::kNoProfile;
  std::string announcements;  // progress text printed during the turn
  std::string state_line;     // the system's progress line, without its state
  std::string failure;        // a failed dictionary check's message
  Failure ends_run;           // a failure that ends the whole run
};

// What every turn of a run shares; the type handles are guarded.
struct TurnContext {
  const RunOptions& options;
  const std::string& profile_directory;
  TypeHandles& types;
};

// One system's turn: its profile, logon, both calls and the close, all on the
// calling thread. Every system starts from nothing: no field of another
// system's profile takes part in its logon.
TurnResult take_turn(const TurnContext& context, const std::string& name) {
  const RunOptions& options = context.options;
  TurnResult result;
  std::FILE* profile =
      name.empty() ? nullptr : platform::open_for_reading(context.profile_directory + name);
  if (!profile) return result;

  ConnectionParameters parameters;
  // A fault of the profile only counts: the system fails without a logon.
  Failure profile_fault = read_profile(profile, name, kGlobalRunLineLimit, parameters);
  if (!profile_fault) profile_fault = check_profile(parameters, name);
  if (options.progress)
    result.state_line = system_line(platform::local_time_text(), name, parameters);
  result.outcome = Outcome::kRfcFailure;
  install_rfc_environment();
  // An invalid profile is not logged on: a logon with incomplete data could
  // only fail, and failed logons lock SAP users.
  if (profile_fault) return result;
  Announce announce;
  if (options.progress) announce = [&](const std::string& text) { result.announcements += text; };
  RfcConnection connection = open_connection(parameters, options, announce);
  if (!connection.is_open()) return result;

  SystemInformation information;
  if (Failure failure = read_system_information(connection, options, context.types, information)) {
    result.ends_run = *failure + trace_hint(std::string(kTraceFileName));
    return result;
  }
  if (!is_db4(information)) {
    result.ends_run = "Error 1018: DataBase mismatch !";
    return result;
  }
  DictionaryInfo dictionary;
  Failure failure = check_dictionary(connection, options, context.types, dictionary);
  connection.close();
  if (failure) {
    result.failure = *failure;
  } else {
    result.outcome =
        trim_trailing_blanks(dictionary.dbsys).empty() ? Outcome::kNotFound : Outcome::kProcessed;
  }
  return result;
}

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
  return kExitReportedFailure;
}

// Reports one turn as the run's document and progress lines show it. Returns
// an exit code when the turn ends the run.
std::optional<int> report_turn(RunState& state, const TurnResult& result, Counters& counters) {
  ++counters.systems;
  if (result.outcome == Outcome::kNoProfile) return std::nullopt;
  print(result.announcements);
  if (result.ends_run) return end_open_document(state, *result.ends_run);
  // The document holds the message of the last failed dictionary check of a
  // system with a profile, in front of the summary.
  state.document.text.clear();
  append_text(state.document, result.failure);
  const char* outcome = result.outcome == Outcome::kProcessed  ? "Processed"
                        : result.outcome == Outcome::kNotFound ? "Not Found"
                                                               : "Rfc Failure";
  if (result.outcome == Outcome::kProcessed) {
    ++counters.processed;
  } else {
    ++counters.failed;
  }
  if (state.startup.options.progress) print("\n" + result.state_line + " State=" + outcome + "\n");
  return std::nullopt;
}

// Every turn in list order; the exit code when one ends the run.
std::optional<int> take_turns(RunState& state, const TurnContext& context,
                              const std::vector<std::string>& names, Counters& counters) {
  auto workers = static_cast<unsigned>(std::min<std::size_t>(state.parallel, names.size()));
  if (workers <= 1) {
    for (const std::string& name : names) {
      name_time_limit_subject(name);
      if (auto exit_code = report_turn(state, take_turn(context, name), counters)) return exit_code;
    }
    return std::nullopt;
  }
  // Never destroyed: a worker may still wait in a late fatal error while the
  // process ends.
  auto* turns = new ParallelTurns<TurnResult>(
      names.size(), workers, [&](std::size_t index) { return take_turn(context, names[index]); });
  for (std::size_t i = 0; i < names.size(); ++i) {
    name_time_limit_subject(names[i]);
    std::optional<int> exit_code = report_turn(state, turns->result(i), counters);
    if (exit_code) {
      turns->stop();
      return exit_code;
    }
    turns->reported(i);
  }
  turns->stop();
  return std::nullopt;
}

}  // namespace

int run_global_listing(RunState& state) {
  Startup& startup = state.startup;
  GlobalListing listing;
  if (Failure error = read_global_listing(listing_request(state), listing))
    return end_with_error(state, *error);
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

  std::vector<std::string> names;
  while (has_more_profiles(listing)) names.push_back(take_profile_name(listing));
  Counters counters;
  TurnContext context{startup.options, state.location.profile_directory, state.types};
  if (auto exit_code = take_turns(state, context, names, counters)) return *exit_code;

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
