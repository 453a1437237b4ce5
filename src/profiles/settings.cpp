#include "profiles/settings.h"

#include "common/text.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace kestrovan {

namespace {

// A whole number from 1 to `maximum`, written in decimal digits alone.
std::optional<unsigned> number_in_range(const std::string& text, unsigned maximum) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return {};
  unsigned long value = 0;
  for (char digit : text) {
    value = value * 10 + static_cast<unsigned long>(digit - '0');
    if (value > maximum) return {};
  }
  if (value < 1) return {};
  return static_cast<unsigned>(value);
}

}  // namespace

Failure parse_settings(std::string_view text, Settings& settings) {
  settings = Settings{};
  std::optional<std::string> host_kind;
  std::string rfc_library, timeout, parallel;
  text = without_bom(text);
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trim_blanks(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view name = trim_blanks(line.substr(0, equals));
    std::string value(trim_blanks(line.substr(equals + 1)));
    if (equals_ignoring_case(name, "HostKind")) host_kind = value;
    if (equals_ignoring_case(name, "RfcLibrary")) rfc_library = value;
    if (equals_ignoring_case(name, "Timeout")) timeout = value;
    if (equals_ignoring_case(name, "Parallel")) parallel = value;
  }
  Settings parsed;
  if (host_kind) {
    auto kind = parse_host_kind(*host_kind);
    if (!kind) return "Error 1040: Invalid Host-Kind " + *host_kind + " in Kestrovan.ini found...";
    parsed.host = *kind;
  }
  parsed.rfc_library = rfc_library;
  if (!timeout.empty()) {
    auto seconds = number_in_range(timeout, kMaxTimeoutSeconds);
    if (!seconds) return "Error 1043: Invalid Timeout " + timeout + " in Kestrovan.ini found...";
    parsed.timeout_seconds = *seconds;
  }
  if (!parallel.empty()) {
    auto count = number_in_range(parallel, kMaxParallel);
    if (!count) return "Error 1044: Invalid Parallel " + parallel + " in Kestrovan.ini found...";
    parsed.parallel = *count;
  }
  settings = parsed;
  return std::nullopt;
}

std::string settings_path(const std::string& executable_path) {
  std::size_t last = executable_path.find_last_of(std::string("/") + platform::kDirSeparator);
  std::string folder = last == std::string::npos ? "" : executable_path.substr(0, last + 1);
  return folder + std::string(kSettingsFileName);
}

Failure read_settings(Settings& settings) {
  settings = Settings{};
  std::string executable = platform::executable_path();
  if (executable.empty()) return std::nullopt;
  std::string text;
  if (!platform::read_whole_file(settings_path(executable), text)) return std::nullopt;
  return parse_settings(text, settings);
}

}  // namespace kestrovan
