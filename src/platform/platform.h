// Operating-system services behind one small interface: files, the clock,
// the executable's own path and the system log (standard output has a unit
// of its own, standard_output.h). This layer is the only code that knows
// whether it runs on Windows or on POSIX.
#pragma once

#include <chrono>
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

// The system log: syslog on POSIX, the event log (source "Kestrovan") on
// Windows. Lines written before open_system_log() are dropped.
void open_system_log();
void write_system_log(std::string_view line);

// The time limit's line for the system log and the moment it will be
// written (`when`). `line` builds it when the log opens (now, if it is open),
// so that the limit's ending, which may run in a signal handler, can send it
// with async-signal-safe calls only, and a run without the log builds none.
using LimitLogLine = std::string (*)();
void prepare_system_log_at_limit(LimitLogLine line, std::chrono::system_clock::time_point when);
// Async-signal-safe: writes the prepared line when the system log is open.
void write_system_log_at_limit();

// Test seam: the socket the time limit's line is sent to on POSIX, instead
// of syslog's "/dev/log".
void set_system_log_socket(const char* path);

// Test seam: while set, system-log lines go to `sink` instead of the system.
using SystemLogSink = void (*)(std::string_view line);
void set_system_log_sink(SystemLogSink sink);

void sleep_milliseconds(unsigned milliseconds);

// Whether standard input is a terminal, and switching its echo off and on.
bool stdin_is_terminal();
void set_stdin_echo(bool on);

}  // namespace kestrovan::platform
