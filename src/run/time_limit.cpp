#include "run/time_limit.h"

#include <atomic>
#include <charconv>
#include <cstdlib>
#include <mutex>

#include "output/result_document.h"
#include "platform/platform.h"
#include "platform/standard_output.h"
#include "rfc/diagnostics.h"
#include "run/run_state.h"

namespace kestrovan {

namespace {

// The message of Error 1050 around its two variable parts: for 5 s and BIN,
// "No answer within 5 s from BIN...".
constexpr std::string_view kMessageStart = "Error 1050: No answer within ";
constexpr std::string_view kMessageSeconds = " s from ";
constexpr std::string_view kMessageEnd = "...";

// What the limit's document is made of. The ending reads it without a lock
// and assembles the document itself, so that a run pays nothing ahead for a
// document it will not print. Never destroyed: the limit may pass while the
// process ends.
struct LimitState {
  std::mutex guard;  // orders the threads that name the subject
  unsigned seconds = 0;
  char seconds_text[16] = {};
  std::size_t seconds_size = 0;
  HostKind host = HostKind::kExexml;
  std::string subject;  // as named, to tell a change
  // The subject, XML-escaped, twice: a change fills the one the ending does
  // not read, then publishes it.
  std::string escaped_subjects[2];
  std::atomic<int> published{0};
  std::atomic<bool> closes_open_document{false};
};

LimitState* limit_state = nullptr;

// Where the ending assembles the document; untouched until then.
char limit_document_buffer[kDocumentCapacity];

// Called with the guard held.
void publish_subject(LimitState& state, const std::string& subject) {
  state.subject = subject;
  // Once the limit has passed, its ending may be reading the published
  // subject, which the change after this one would fill: no more changes.
  if (platform::time_limit_passed()) return;
  const int next = 1 - state.published.load();
  state.escaped_subjects[next] = xml_escape(subject);
  state.published.store(next);
}

std::string limit_log_line() {
  return format_trace_event(0, "time limit reached", std::to_string(limit_state->seconds) + " s");
}

// The limit's ending: on POSIX it runs in a signal handler, so it uses only
// async-signal-safe calls.
[[noreturn]] void end_at_limit() {
  platform::write_stdout_at_limit(time_limit_document());
  platform::write_system_log_at_limit();
  std::_Exit(kExitReportedFailure);
}

void mark_document_open() {
  if (limit_state && is_xml_host(limit_state->host)) limit_state->closes_open_document = true;
}

}  // namespace

void start_time_limit(unsigned seconds, std::chrono::steady_clock::time_point started,
                      HostKind host, const std::string& subject, bool foreign_library) {
  if (limit_state) return;
  auto* state = new LimitState;
  state->seconds = seconds;
  state->seconds_size = static_cast<std::size_t>(
      std::to_chars(state->seconds_text, std::end(state->seconds_text), seconds).ptr -
      state->seconds_text);
  state->host = host;
  publish_subject(*state, subject);
  limit_state = state;
  const auto deadline = started + std::chrono::seconds(seconds);
  platform::prepare_system_log_at_limit(
      limit_log_line,
      std::chrono::system_clock::now() + (deadline - std::chrono::steady_clock::now()));
  platform::arm_time_limit(
      deadline, end_at_limit,
      foreign_library ? platform::LimitTimer::kPrivate : platform::LimitTimer::kProcessAlarm);
}

void name_time_limit_subject(const std::string& subject) {
  if (!limit_state) return;
  std::lock_guard<std::mutex> lock(limit_state->guard);
  if (subject != limit_state->subject) publish_subject(*limit_state, subject);
}

void print_document_opening(const std::string& text) {
  // The document counts as open from the moment its opening is out: the
  // limit either closes it, or passes before it and prints a whole document.
  platform::write_stdout(text, mark_document_open);
}

std::string_view time_limit_document() {
  const LimitState& state = *limit_state;
  const std::string_view parts[] = {kMessageStart,
                                    {state.seconds_text, state.seconds_size},
                                    kMessageSeconds,
                                    state.escaped_subjects[state.published.load()],
                                    kMessageEnd};
  const std::size_t size =
      write_error_document(limit_document_buffer, state.closes_open_document.load(), parts);
  return {limit_document_buffer, size};
}

}  // namespace kestrovan
