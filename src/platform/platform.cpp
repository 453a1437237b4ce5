#include "platform/platform.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <syslog.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>
#endif

namespace kestrovan::platform {

namespace {

// Read by the time limit's ending, which may run in a signal handler.
std::atomic<bool> system_log_open{false};
SystemLogSink system_log_sink = nullptr;
// The time limit's line for the system log, what builds it and when it is
// due; the line and (POSIX) the datagram that carries it are built once the
// log is open. Never destroyed: the ending may run while the process ends.
LimitLogLine limit_line_source = nullptr;
std::chrono::system_clock::time_point limit_line_when;
struct LimitLine {
  std::string line;
  std::string datagram;
};
LimitLine* limit_line = nullptr;
// Where syslog(3) sends its lines; a test seam sets another.
const char* system_log_socket = "/dev/log";
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

#ifndef _WIN32
// What syslog(3) sends for `line` at `when` (LOG_USER, LOG_INFO, with the
// process id), in the C locale whatever the process's locale.
std::string syslog_datagram(std::string_view line, std::chrono::system_clock::time_point when) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm parts{};
  localtime_r(&seconds, &parts);
  char head[64];
  std::snprintf(head, sizeof head,
                "<%d>%s %2d %02d:%02d:%02d Kestrovan[%ld]: ", LOG_USER | LOG_INFO,
                kMonths[parts.tm_mon % 12], parts.tm_mday, parts.tm_hour, parts.tm_min,
                parts.tm_sec, static_cast<long>(getpid()));
  return head + std::string(line);
}

// Sends a datagram to the system log's socket with async-signal-safe calls;
// a stream socket takes it with the terminating NUL, as syslog(3) sends it.
void send_to_system_log(const std::string& datagram) {
  struct sockaddr_un address {};
  address.sun_family = AF_UNIX;
  const std::size_t length = std::strlen(system_log_socket);
  if (length >= sizeof address.sun_path) return;
  std::memcpy(address.sun_path, system_log_socket, length + 1);
  for (int type : {SOCK_DGRAM, SOCK_STREAM}) {
    int socket_descriptor = socket(AF_UNIX, type | SOCK_CLOEXEC, 0);
    if (socket_descriptor < 0) return;
    if (connect(socket_descriptor, reinterpret_cast<struct sockaddr*>(&address), sizeof address) ==
        0) {
      send(socket_descriptor, datagram.data(), datagram.size() + (type == SOCK_STREAM ? 1 : 0),
           MSG_NOSIGNAL);
      close(socket_descriptor);
      return;
    }
    const bool other_type = errno == EPROTOTYPE;
    close(socket_descriptor);
    if (!other_type) return;
  }
}
#endif

// Built only for a log that is open: most runs never write to it.
void prepare_limit_line() {
  if (!limit_line_source) return;
  if (!limit_line) limit_line = new LimitLine;
  limit_line->line = limit_line_source();
#ifndef _WIN32
  limit_line->datagram = syslog_datagram(limit_line->line, limit_line_when);
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

void open_system_log() {
  if (system_log_open) return;
  // Built before the log counts as open, when the limit's ending reads it.
  prepare_limit_line();
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

void prepare_system_log_at_limit(LimitLogLine line, std::chrono::system_clock::time_point when) {
  limit_line_source = line;
  limit_line_when = when;
  if (system_log_open) prepare_limit_line();
}

void write_system_log_at_limit() {
  if (!system_log_open.load() || !limit_line) return;
  if (system_log_sink) {
    system_log_sink(limit_line->line);
    return;
  }
#ifdef _WIN32
  // On Windows the limit ends the run on a thread of its own.
  write_system_log(limit_line->line);
#else
  send_to_system_log(limit_line->datagram);
#endif
}

void set_system_log_socket(const char* path) { system_log_socket = path; }

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
