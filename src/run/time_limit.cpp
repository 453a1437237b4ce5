#include "run/time_limit.h"

#include <cstdlib>
#include <mutex>
#include <thread>

#include "output/result_document.h"
#include "platform/platform.h"
#include "rfc/diagnostics.h"
#include "run/run_state.h"

namespace kestrovan {

namespace {

// What the watchdog needs to write its document; never destroyed, since the
// watchdog may wake while the process ends.
struct LimitState {
  std::mutex guard;
  unsigned seconds = 0;
  HostKind host = HostKind::kExexml;
  std::string subject;
  bool document_open = false;
  // Kept, never detached: detaching a thread that has not yet begun can lose
  // it with the 32-bit mingw-w64 thread library, and the limit with it.
  std::thread watchdog;
};

LimitState& limit_state() {
  static LimitState* state = new LimitState;
  return *state;
}

void watch(std::chrono::steady_clock::time_point deadline) {
  std::this_thread::sleep_until(deadline);
  LimitState& state = limit_state();
  ResultDocument document;
  // Held until the end, so that the opening of a document is either printed
  // and closed here, or not printed at all.
  std::lock_guard<std::mutex> lock(state.guard);
  const unsigned seconds = state.seconds;
  document.host = state.host;
  std::string message = time_limit_message(state.seconds, state.subject);
  if (state.document_open && is_xml_host(state.host)) {
    error_closing(document, message);
  } else {
    error_document(document, message);
  }
  // The run claimed its output first: it ends by itself.
  if (!platform::end_stdout_for_limit(document.text)) return;
  platform::write_system_log(
      format_trace_event(0, "time limit reached", std::to_string(seconds) + " s"));
  std::_Exit(kExitReportedFailure);
}

}  // namespace

std::string time_limit_message(unsigned seconds, const std::string& subject) {
  return "Error 1050: No answer within " + std::to_string(seconds) + " s from " + subject + "...";
}

void start_time_limit(unsigned seconds, std::chrono::steady_clock::time_point started,
                      HostKind host, const std::string& subject) {
  LimitState& state = limit_state();
  {
    std::lock_guard<std::mutex> lock(state.guard);
    state.seconds = seconds;
    state.host = host;
    state.subject = subject;
  }
  state.watchdog = std::thread(watch, started + std::chrono::seconds(seconds));
}

void name_time_limit_subject(const std::string& subject) {
  LimitState& state = limit_state();
  std::lock_guard<std::mutex> lock(state.guard);
  state.subject = subject;
}

void print_document_opening(const std::string& text) {
  LimitState& state = limit_state();
  std::lock_guard<std::mutex> lock(state.guard);
  platform::write_stdout(text);
  state.document_open = true;
}

}  // namespace kestrovan
