#include "platform/standard_output.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>
#endif

namespace kestrovan::platform {

namespace {

// The state of standard output, one word that the time limit's signal
// handler changes without a lock.
constexpr unsigned kWriting = 1;     // a write is in progress
constexpr unsigned kLimitDue = 2;    // the time limit has passed
constexpr unsigned kRunClaimed = 4;  // the run ends the output by itself
constexpr unsigned kEnded = 8;       // the limit or a fatal-error report ends it
std::atomic<unsigned> output_state{0};
static_assert(std::atomic<unsigned>::is_always_lock_free);

LimitEnding limit_ending = nullptr;

// Orders writes between threads; the time limit never takes it. Never
// destroyed: a thread may still wait on it while the process ends.
std::mutex& writer_guard() {
  static std::mutex* guard = new std::mutex;
  return *guard;
}

// The time limit or the fatal-error report ends the output and the process.
[[noreturn]] void wait_for_process_end() {
  while (true) std::this_thread::sleep_for(std::chrono::hours(1));
}

// Sets `bits` in the output state, or waits for the end of the process when
// the output has ended. Called with the writer guard held, so no write is in
// progress: a limit that has passed has also ended the output.
void set_unless_ended(std::unique_lock<std::mutex>& lock, unsigned bits) {
  unsigned state = output_state.load();
  do {
    if (state & kEnded) {
      lock.unlock();
      wait_for_process_end();
    }
  } while (!output_state.compare_exchange_weak(state, state | bits));
}

// Ends a write; when the limit passed during it, the limit ends the run now,
// with the text of this write out whole.
void finish_write() {
  unsigned state = output_state.load();
  unsigned next;
  do {
    next = state & ~kWriting;
    if ((state & kLimitDue) && !(state & (kRunClaimed | kEnded))) next |= kEnded;
  } while (!output_state.compare_exchange_weak(state, next));
  if ((next & kEnded) && !(state & kEnded)) limit_ending();
}

// The limit has passed: ends the output now, leaves it to the write in
// progress, or does nothing when the output is already claimed.
void on_time_limit() {
  const int saved_errno = errno;
  unsigned state = output_state.load();
  unsigned next;
  do {
    if (state & (kRunClaimed | kEnded)) {
      errno = saved_errno;
      return;
    }
    next = state | kLimitDue;
    if (!(state & kWriting)) next |= kEnded;
  } while (!output_state.compare_exchange_weak(state, next));
  if (next & kEnded) limit_ending();
  errno = saved_errno;
}

// Kept, never detached: detaching a thread that has not yet begun can lose
// it with the 32-bit mingw-w64 thread library, and the limit with it.
void start_limit_thread(std::chrono::steady_clock::time_point deadline) {
  static auto* watchdog = new std::thread([deadline] {
    std::this_thread::sleep_until(deadline);
    on_time_limit();
  });
  (void)watchdog;
}

#ifndef _WIN32
extern "C" void on_time_limit_signal(int) { on_time_limit(); }

// Installs the limit's handler for `signal_number`; `before`, when given,
// receives the action it replaces.
bool handle_limit_signal(int signal_number, struct sigaction* before = nullptr) {
  struct sigaction action {};
  action.sa_handler = on_time_limit_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return sigaction(signal_number, &action, before) == 0;
}

// The time left until `deadline`, at least 1 us: a zero time would disarm a
// timer, and a deadline already past must fire now.
std::chrono::microseconds time_left(std::chrono::steady_clock::time_point deadline) {
  auto left =
      std::chrono::ceil<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
  return std::max(left, std::chrono::microseconds(1));
}

// The process's interval timer with SIGALRM: two system calls, the least a
// timer signal takes. False when it cannot be armed, or when it was already
// running: a host may arm it before it starts the sensor, to end it at the
// host's own timeout; that alarm is then left as it was.
bool start_alarm_timer(std::chrono::steady_clock::time_point deadline) {
  struct sigaction before_action {};
  if (!handle_limit_signal(SIGALRM, &before_action)) return false;
  const auto left = time_left(deadline);
  struct itimerval when {};
  when.it_value.tv_sec = static_cast<time_t>(left.count() / 1000000);
  when.it_value.tv_usec = static_cast<suseconds_t>(left.count() % 1000000);
  struct itimerval before {};
  if (setitimer(ITIMER_REAL, &when, &before) == 0 && before.it_value.tv_sec == 0 &&
      before.it_value.tv_usec == 0) {
    return true;
  }
  setitimer(ITIMER_REAL, &before, nullptr);
  sigaction(SIGALRM, &before_action, nullptr);
  return false;
}

// A timer of the limit's own, with a real-time signal that no library
// shares; false when the system has none to give.
bool start_private_timer(std::chrono::steady_clock::time_point deadline) {
  const int signal_number = SIGRTMIN;
  if (!handle_limit_signal(signal_number)) return false;
  struct sigevent event {};
  event.sigev_notify = SIGEV_SIGNAL;
  event.sigev_signo = signal_number;
  timer_t timer;
  if (timer_create(CLOCK_MONOTONIC, &event, &timer) != 0) return false;
  const auto left = time_left(deadline);
  struct itimerspec when {};
  when.it_value.tv_sec = static_cast<time_t>(left.count() / 1000000);
  when.it_value.tv_nsec = static_cast<long>(left.count() % 1000000) * 1000;
  if (timer_settime(timer, 0, &when, nullptr) != 0) {
    timer_delete(timer);
    return false;
  }
  return true;
}
#endif

}  // namespace

void write_stdout(std::string_view text, void (*written)()) {
  std::unique_lock<std::mutex> lock(writer_guard());
  set_unless_ended(lock, kWriting);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  if (written) written();
  finish_write();
}

void claim_stdout_for_run() {
  std::unique_lock<std::mutex> lock(writer_guard());
  set_unless_ended(lock, kRunClaimed);
}

void end_stdout_for_abort(std::string_view text) {
  std::unique_lock<std::mutex> lock(writer_guard());
  set_unless_ended(lock, kEnded);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void arm_time_limit(std::chrono::steady_clock::time_point deadline, LimitEnding end_run,
                    LimitTimer timer) {
  limit_ending = end_run;
#ifndef _WIN32
  if (timer == LimitTimer::kProcessAlarm && start_alarm_timer(deadline)) return;
  if (start_private_timer(deadline)) return;
#else
  (void)timer;
#endif
  start_limit_thread(deadline);
}

bool time_limit_passed() { return (output_state.load() & kLimitDue) != 0; }

void write_stdout_at_limit(std::string_view text) {
#ifdef _WIN32
  // Called on the watchdog thread, where the C library may be used.
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
#else
  // Standard output's buffer is empty: every write flushes, and none is in
  // progress when the limit ends the output.
  const char* rest = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    ssize_t written = ::write(STDOUT_FILENO, rest, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    rest += written;
    left -= static_cast<std::size_t>(written);
  }
#endif
}

}  // namespace kestrovan::platform
