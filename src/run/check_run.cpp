#include "run/check_run.h"

#include "common/field_line.h"
#include "common/version.h"
#include "platform/platform.h"
#include "profiles/global_listing.h"
#include "profiles/location.h"
#include "profiles/profile_reader.h"
#include "profiles/settings.h"
#include "rfc/connection.h"
#include "rfc/diagnostics.h"
#include "rfc/rfc_functions.h"
#include "run/run_state.h"
#include "run/startup.h"

namespace kestrovan {

namespace {

constexpr int kCheckLabelWidth = 19;
constexpr int kExitWouldLogOn = 0;
constexpr int kExitWouldStop = 2;

void line(std::string_view label, std::string_view value) {
  print(format_field_line(label, kCheckLabelWidth, value));
}

// Ends the check: what a run would do, and its exit code.
int verdict(const std::string& stop) {
  if (stop.empty()) {
    line("Result", "a run would log on now");
    return kExitWouldLogOn;
  }
  line("Result", "a run would stop before its logon: " + stop);
  return kExitWouldStop;
}

const char* host_kind_name(HostKind host) {
  switch (host) {
    case HostKind::kExexml:
      return "EXEXML (PRTG)";
    case HostKind::kVornelk:
      return "Vornelk";
    case HostKind::kQuendar:
      return "Quendar";
    case HostKind::kMaltheon:
      return "Maltheon";
    case HostKind::kTirvasc:
      return "Tirvasc";
  }
  return "";
}

// The real file system, with every place the search looks at recorded.
struct RecordingProbe {
  std::vector<std::string> tried;
  FileProbe probe;

  RecordingProbe() {
    FileProbe real = real_file_probe();
    probe.can_open = [this, real](const std::string& path) {
      bool found = real.can_open(path);
      tried.push_back(path + (found ? " (found)" : " (not found)"));
      return found;
    };
    probe.read_lines = [this, real](const std::string& path, std::size_t max_chars) {
      auto lines = real.read_lines(path, max_chars);
      tried.push_back(path + (lines ? " (read)" : " (not found)"));
      return lines;
    };
  }
};

void show_profile_fields(const ConnectionParameters& p) {
  line("Extcompany", p.extcompany);
  line("Destination", p.destination);
  line("Client", p.client);
  line("User", p.user);
  line("Language", p.language);
  line("Mode", p.mode);
  line("Hostname", p.hostname);
  line("Sysnr", p.sysnr);
  line("Gwhost", p.gwhost);
  line("Gwservice", p.gwservice);
}

// One system of a listing: its profile as a global run would take it.
void show_listed_system(const std::string& folder, const std::string& name) {
  std::FILE* file = name.empty() ? nullptr : platform::open_for_reading(folder + name);
  if (!file) {
    line("System", name + ": no profile file (counted, not checked)");
    return;
  }
  ConnectionParameters parameters;
  Failure fault = read_profile(file, name, kGlobalRunLineLimit, parameters);
  if (!fault) fault = check_profile(parameters, name);
  line("System", name + (!fault ? ": " + parameters.destination + " on " + parameters.hostname
                                : ": invalid profile, no logon (Rfc Failure)"));
}

int check_global(RunState& state) {
  GlobalListing listing;
  if (Failure error = read_global_listing(listing_request(state), listing)) return verdict(*error);
  line("Item", listing.item);
  unsigned systems = 0;
  while (has_more_profiles(listing)) {
    show_listed_system(state.location.profile_directory, take_profile_name(listing));
    ++systems;
  }
  line("Systems", std::to_string(systems));
  return verdict("");
}

}  // namespace

std::string usage_text() {
  return std::string(kProgramName) + " " + std::string(kVersionText) +
         " - SAP dictionary sensor for DB2 for IBM i\n"
         "\n"
         "Usage: Kestrovan profile-name [options [more-options]]\n"
         "       Kestrovan --check profile-name [options]\n"
         "       Kestrovan --help | --version\n"
         "\n"
         "profile-name  PRD opens PRD.P00; GLOBAL reads SAP Tallisan.Gbl\n"
         "options       keywords anywhere, in any letter case:\n"
         "  # @ $ %     progress lines around the document (@: PRTG opens the\n"
         "              profile where the name says, without the folder search)\n"
         "  ITEM=name   global-listing run over Tallisan.Prf (':' for a blank)\n"
         "  CH=n        host kind Quendar: only the value of the n-th channel\n"
         "  ,HOST=name  log on to another host; ,NO=nn another system number\n"
         "  ,SYSLOG     a trace line per RFC step in the system log\n"
         "--check       everything up to the logon, shown line by line; no logon\n"
         "\n"
         "Exit codes: 0 done, 2 failure reported in the document, 1 fatal RFC\n"
         "error.\n"
         "Files: Kestrovan.ini beside the program (HostKind=, RfcLibrary=);\n"
         "profiles in PRTG's Custom Sensors\\EXEXML folder (found through\n"
         "C:\\PRTG_Path.Txt or the standard installation folders) or, for the\n"
         "other host kinds, where the name says; Dev_Rfc.Trc, SapRfc.ini and\n"
         "SapSim.ini in the working directory.\n";
}

int run_check(const std::vector<std::string>& arguments) {
  RunState state;
  Startup& startup = state.startup;
  print(std::string(kProgramName) + " " + std::string(kVersionText) + " - check\n");
  if (auto error = start_up(arguments, platform::local_time_text(), startup)) {
    return verdict(*error);
  }

  std::string settings_file = settings_path(platform::executable_path());
  line("Settings file",
       platform::can_open(settings_file) ? settings_file : "none (" + settings_file + ")");
  Settings settings;
  if (auto error = read_settings(settings)) return verdict(*error);
  state.document.host = settings.host;
  line("Host kind", host_kind_name(settings.host));

  if (settings.rfc_library.empty()) {
    line("RFC library", "built-in (simulated systems of SapSim.ini)");
  } else {
    RfcFunctions functions;
    if (auto error = load_rfc_functions(settings.rfc_library, functions)) {
      line("RFC library", settings.rfc_library);
      return verdict(*error);
    }
    line("RFC library", settings.rfc_library + ": loaded, every function found");
    if (!functions.file.empty()) line("Loaded from", functions.file);
  }

  std::string working_directory = platform::current_directory();
  line("Working directory", working_directory + " (Dev_Rfc.Trc goes here)");

  RecordingProbe recording;
  auto error =
      locate_profile(startup.profile_argument, startup.options, startup.options.item_mode,
                     settings.host, recording.probe, state.location, platform::kDirSeparator);
  for (const std::string& place : recording.tried) line("Searched", place);
  if (error) return verdict(*error);
  line(is_global_run(state.location.run_kind) ? "Listing" : "Profile", state.location.path());
  if (is_global_run(state.location.run_kind)) return check_global(state);

  std::FILE* file = platform::open_for_reading(state.location.path());
  if (!file) return verdict(profile_missing_message(state.location.profile_name));
  Failure read_error =
      read_profile(file, state.location.profile_name, kSingleRunLineLimit, state.parameters);
  show_profile_fields(state.parameters);
  if (read_error) {
    line("Password", *read_error);
    return verdict(*read_error);
  }
  line("Password", state.parameters.password.empty() ? "missing" : "stored form valid");
  if (Failure incomplete = check_profile(state.parameters, state.location.profile_name)) {
    return verdict(*incomplete);
  }

  std::string ini = per_destination_ini_name(state.parameters.destination);
  bool through_ini = !ini.empty() && platform::can_open(ini);
  line("Per-destination ini",
       through_ini ? ini + " (copied to SapRfc.ini; the logon goes through RfcOpenEx)" : "none");
  if (!through_ini) {
    LogonTexts logon = make_logon_texts(state.parameters, startup.options);
    line("Logon to", logon.cpic ? "gateway " + logon.gwhost + ", service " + logon.gwservice
                                : "host " + logon.hostname + ", system number " +
                                      std::to_string(logon.sysnr) + ", client " + logon.client);
  }
  if (settings.rfc_library.empty()) {
    line("SapSim.ini", platform::can_open("SapSim.ini")
                           ? "in the working directory"
                           : "not in the working directory: the built-in library refuses "
                             "every logon");
  }
  return verdict("");
}

}  // namespace kestrovan
