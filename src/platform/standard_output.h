// Standard output, written whole, and the end of it, which one of three
// claims once for the whole process:
//   - the run, with its final document; from then on it ends by itself;
//   - the fatal-error report, which then ends the process;
//   - the time limit, which writes its document and ends the process.
// After the output has ended, every further write waits for the end of the
// process, so that nothing follows the document that ended it.
//
// The time limit costs nothing until it passes: on POSIX it is a timer
// signal, with no thread (a thread costs every run its start and its end).
// Its ending therefore runs in a signal handler, on whichever thread the
// signal interrupts, and may use only async-signal-safe calls. When the limit
// passes in the middle of a write, the writer finishes its text and then
// calls the ending itself; so nothing is ever half printed. On Windows, and
// where no timer can be created, a thread waits for the limit instead.
#pragma once

#include <chrono>
#include <string_view>

namespace kestrovan::platform {

// Writes to standard output and flushes. On Windows standard output stays in
// text mode, so "\n" leaves the process as CR LF like any console program's.
// Writes from several threads never interleave. `written`, when given, is
// called once the text is out, before the time limit can end the output.
void write_stdout(std::string_view text, void (*written)() = nullptr);

// The run claims the end of standard output; it waits for the end of the
// process instead when the time limit or a fatal-error report came first.
void claim_stdout_for_run();

// The fatal-error report ends standard output with `text`, once: a second
// report, or one after the time limit's document, waits for the end of the
// process instead.
void end_stdout_for_abort(std::string_view text);

// Arms the time limit, once a process: at `deadline`, unless the run or a
// fatal-error report has claimed the end of the output, `end_run` is called.
// It must write its document with write_stdout_at_limit and end the process,
// with async-signal-safe calls only: nothing that allocates, locks or
// formats.
//
// POSIX: which timer the limit takes. The process's interval timer and
// SIGALRM are the cheapest to arm, but they are the process's one alarm,
// which a foreign library may arm for itself and so disarm the limit; a
// timer of the limit's own with a real-time signal shares nothing. An alarm
// already running (a host may arm one before it starts the sensor, to end it
// at the host's own timeout) is left as it was, and the limit takes a timer
// of its own. Windows has a thread either way.
enum class LimitTimer {
  kProcessAlarm,  // for a process that runs only its own code
  kPrivate,       // for a process with a foreign library bound
};
using LimitEnding = void (*)();
void arm_time_limit(std::chrono::steady_clock::time_point deadline, LimitEnding end_run,
                    LimitTimer timer);

// Whether the limit has passed: from then on its ending may read whatever
// it was given, which must then be kept.
bool time_limit_passed();

// Async-signal-safe: writes `text` whole to standard output (for the ending).
void write_stdout_at_limit(std::string_view text);

}  // namespace kestrovan::platform
