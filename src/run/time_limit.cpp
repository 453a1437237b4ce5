#include "run/time_limit.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

#include "output/result_document.h"
#include "platform/platform.h"
#include "platform/standard_output.h"
#include "rfc/diagnostics.h"
#include "run/run_state.h"

namespace kestrovan {

namespace {

// What the limit's document is made of; never destroyed, since the limit may
// pass while the process ends.
struct LimitState {
  std::mutex guard;
  unsigned seconds = 0;  // 0: no limit
  HostKind host = HostKind::kExexml;
  std::string subject;
  bool document_open = false;
};

LimitState& limit_state() {
  static LimitState* state = new LimitState;
  return *state;
}

// The limit's document as it stands, built whenever what it names changes,
// so that the ending needs nothing but a write.
std::atomic<const std::string*> prepared_document{nullptr};

// Builds the document for the state as it stands. Called with the guard held.
void prepare_document(const LimitState& state) {
  if (state.seconds == 0) return;
  ResultDocument document;
  document.host = state.host;
  std::string message = time_limit_message(state.seconds, state.subject);
  if (state.document_open && is_xml_host(state.host)) {
    error_closing(document, message);
  } else {
    error_document(document, message);
  }
  const std::string* old = prepared_document.exchange(new std::string(std::move(document.text)));
  // Once the limit has passed, its ending may be writing the old document.
  if (!platform::time_limit_passed()) delete old;
}

// The limit's ending: on POSIX it runs in a signal handler, so it uses only
// async-signal-safe calls.
[[noreturn]] void end_at_limit() {
  const std::string* document = prepared_document.load();
  platform::write_stdout_at_limit(*document);
  platform::write_system_log_at_limit();
  std::_Exit(kExitReportedFailure);
}

void mark_document_open() {
  LimitState& state = limit_state();
  std::lock_guard<std::mutex> lock(state.guard);
  state.document_open = true;
  prepare_document(state);
}

}  // namespace

std::string time_limit_message(unsigned seconds, const std::string& subject) {
  return "Error 1050: No answer within " + std::to_string(seconds) + " s from " + subject + "...";
}

void start_time_limit(unsigned seconds, std::chrono::steady_clock::time_point started,
                      HostKind host, const std::string& subject) {
  LimitState& state = limit_state();
  const auto deadline = started + std::chrono::seconds(seconds);
  {
    std::lock_guard<std::mutex> lock(state.guard);
    state.seconds = seconds;
    state.host = host;
    state.subject = subject;
    prepare_document(state);
  }
  platform::prepare_system_log_at_limit(
      format_trace_event(0, "time limit reached", std::to_string(seconds) + " s"),
      std::chrono::system_clock::now() + (deadline - std::chrono::steady_clock::now()));
  platform::arm_time_limit(deadline, end_at_limit);
}

void name_time_limit_subject(const std::string& subject) {
  LimitState& state = limit_state();
  std::lock_guard<std::mutex> lock(state.guard);
  if (subject == state.subject) return;
  state.subject = subject;
  prepare_document(state);
}

void print_document_opening(const std::string& text) {
  // The document counts as open from the moment its opening is out: the
  // limit either closes it, or passes before it and prints a whole document.
  platform::write_stdout(text, mark_document_open);
}

}  // namespace kestrovan
