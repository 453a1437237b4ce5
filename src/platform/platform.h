// Operating-system services behind one small interface: files, the clock,
// standard output, the executable's own path and the system log. This layer
// is the only code that knows whether it runs on Windows or on POSIX.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kestrovan::platform {

#ifdef _WIN32
inline constexpr char kDirSeparator = '\\';
#else
inline constexpr char kDirSeparator = '/';
#endif

// Opens a regular file for reading, byte for byte (no line-end translation).
// Returns null when the path does not name a readable regular file.
std::FILE* open_for_reading(const std::string& path);

// True when open_for_reading would succeed; the file is closed again.
bool can_open(const std::string& path);

// Creates or empties a file for writing, byte for byte. Null on failure.
std::FILE* create_for_writing(const std::string& path);

// Deletes a file; a missing file is no error.
void remove_file(const std::string& path);

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime local_time();

// "HH:MM:SS" of the current local time, 24-hour clock.
std::string local_time_text();

// Full path of the running executable, empty when it cannot be told.
std::string executable_path();

// The working directory, empty when it cannot be told.
std::string current_directory();

// Writes to standard output and flushes. On Windows standard output stays in
// text mode, so "\n" leaves the process as CR LF like any console program's.
// Every write is whole: writes from several threads never interleave. Once
// the time limit has ended standard output, a write waits for the end of the
// process instead.
void write_stdout(std::string_view text);

// The end of standard output, claimed once for the whole process: by the run
// (its final document, the fatal-error report), after which the time limit
// can no longer end it, or by the time limit, after which nothing more is
// written. claim_stdout_for_run waits for the end of the process when the
// limit came first; end_stdout_for_limit writes `text` and returns true when
// the run had not claimed the end.
void claim_stdout_for_run();
bool end_stdout_for_limit(std::string_view text);

// The fatal-error report ends standard output with `text`, once: a second
// report, or one after the time limit's document, waits for the end of the
// process instead.
void end_stdout_for_abort(std::string_view text);

// The system log: syslog on POSIX, the event log (source "Kestrovan") on
// Windows. Lines written before open_system_log() are dropped.
void open_system_log();
void write_system_log(std::string_view line);

// Test seam: while set, system-log lines go to `sink` instead of the system.
using SystemLogSink = void (*)(std::string_view line);
void set_system_log_sink(SystemLogSink sink);

void sleep_milliseconds(unsigned milliseconds);

// Whether standard input is a terminal, and switching its echo off and on.
bool stdin_is_terminal();
void set_stdin_echo(bool on);

}  // namespace kestrovan::platform
