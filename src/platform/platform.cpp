#include "platform/platform.h"

#include <chrono>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <syslog.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>
#endif

namespace kestrovan::platform {

namespace {

bool system_log_open = false;
SystemLogSink system_log_sink = nullptr;
#ifdef _WIN32
HANDLE event_source = nullptr;
#endif

bool is_regular_file(std::FILE* file) {
#ifdef _WIN32
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK;
#else
  struct stat info;
  return fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

}  // namespace

std::FILE* open_for_reading(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return nullptr;
#ifdef _WIN32
  std::FILE* file = std::fopen(path.c_str(), "rb");
#else
  // Without O_NONBLOCK opening a named pipe would wait for a writer forever.
  int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = fdopen(descriptor, "rb");
  if (!file) close(descriptor);
#endif
  if (file && !is_regular_file(file)) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

bool can_open(const std::string& path) {
  std::FILE* file = open_for_reading(path);
  if (!file) return false;
  std::fclose(file);
  return true;
}

std::FILE* create_for_writing(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return nullptr;
  return std::fopen(path.c_str(), "wb");
}

void remove_file(const std::string& path) { std::remove(path.c_str()); }

LocalTime local_time() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
#ifdef _WIN32
  localtime_s(&parts, &now);
#else
  localtime_r(&now, &parts);
#endif
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::string local_time_text() {
  LocalTime now = local_time();
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  return buffer;
}

std::string executable_path() {
#ifdef _WIN32
  char buffer[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
#else
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(length));
#endif
}

std::string current_directory() {
#ifdef _WIN32
  char buffer[MAX_PATH * 4];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
#else
  char buffer[4096];
  if (!getcwd(buffer, sizeof buffer)) return {};
  return buffer;
#endif
}

namespace {

enum class StdoutEnd { kOpen, kRun, kLimit, kAbort };

// Never destroyed: a thread may still wait on it while the process ends.
std::mutex& stdout_guard() {
  static std::mutex* guard = new std::mutex;
  return *guard;
}
StdoutEnd stdout_end = StdoutEnd::kOpen;

bool ended_elsewhere() {
  return stdout_end == StdoutEnd::kLimit || stdout_end == StdoutEnd::kAbort;
}

// The time limit or the fatal-error report has ended the output and ends the
// process: wait for it.
[[noreturn]] void wait_for_process_end(std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  while (true) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace

void write_stdout(std::string_view text) {
  std::unique_lock<std::mutex> lock(stdout_guard());
  if (ended_elsewhere()) wait_for_process_end(lock);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void claim_stdout_for_run() {
  std::unique_lock<std::mutex> lock(stdout_guard());
  if (ended_elsewhere()) wait_for_process_end(lock);
  stdout_end = StdoutEnd::kRun;
}

void end_stdout_for_abort(std::string_view text) {
  std::unique_lock<std::mutex> lock(stdout_guard());
  if (ended_elsewhere()) wait_for_process_end(lock);
  stdout_end = StdoutEnd::kAbort;
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

bool end_stdout_for_limit(std::string_view text) {
  std::lock_guard<std::mutex> lock(stdout_guard());
  if (stdout_end != StdoutEnd::kOpen) return false;
  stdout_end = StdoutEnd::kLimit;
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  return true;
}

void open_system_log() {
  if (system_log_open) return;
  system_log_open = true;
  if (system_log_sink) return;
#ifdef _WIN32
  event_source = RegisterEventSourceA(nullptr, "Kestrovan");
#else
  openlog("Kestrovan", LOG_PID, LOG_USER);
#endif
}

void write_system_log(std::string_view line) {
  if (!system_log_open) return;
  if (system_log_sink) {
    system_log_sink(line);
    return;
  }
  std::string text(line);
#ifdef _WIN32
  if (event_source) {
    const char* strings[] = {text.c_str()};
    ReportEventA(event_source, EVENTLOG_INFORMATION_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
  }
#else
  syslog(LOG_INFO, "%s", text.c_str());
#endif
}

void set_system_log_sink(SystemLogSink sink) {
  system_log_sink = sink;
  system_log_open = false;
}

void sleep_milliseconds(unsigned milliseconds) {
#ifdef _WIN32
  Sleep(milliseconds);
#else
  struct timespec pause = {static_cast<time_t>(milliseconds / 1000),
                           static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&pause, &pause) != 0) {
  }
#endif
}

bool stdin_is_terminal() {
#ifdef _WIN32
  DWORD mode;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
#else
  return isatty(0) != 0;
#endif
}

void set_stdin_echo(bool on) {
#ifdef _WIN32
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode;
  if (!GetConsoleMode(input, &mode)) return;
  SetConsoleMode(input, on ? (mode | ENABLE_ECHO_INPUT) : (mode & ~ENABLE_ECHO_INPUT));
#else
  struct termios settings;
  if (tcgetattr(0, &settings) != 0) return;
  if (on) {
    settings.c_lflag |= ECHO;
  } else {
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  }
  tcsetattr(0, TCSANOW, &settings);
#endif
}

}  // namespace kestrovan::platform
