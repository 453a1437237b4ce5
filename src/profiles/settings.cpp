#include "profiles/settings.h"

#include "common/text.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace kestrovan {

std::optional<std::string> host_kind_from_settings(std::string_view settings, HostKind& host) {
  host = HostKind::kExexml;
  std::optional<std::string> value;
  while (!settings.empty()) {
    std::size_t end = settings.find('\n');
    std::string_view line = settings.substr(0, end);
    settings = end == std::string_view::npos ? std::string_view() : settings.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trim_blanks(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (equals_ignoring_case(trim_blanks(line.substr(0, equals)), "HostKind")) {
      value = std::string(trim_blanks(line.substr(equals + 1)));
    }
  }
  if (!value) return std::nullopt;
  if (auto kind = parse_host_kind(*value)) {
    host = *kind;
    return std::nullopt;
  }
  return "Error 1040: Invalid Host-Kind " + *value + " in Kestrovan.ini found...";
}

std::string settings_path(const std::string& executable_path) {
  std::size_t last = executable_path.find_last_of(std::string("/") + platform::kDirSeparator);
  std::string folder = last == std::string::npos ? "" : executable_path.substr(0, last + 1);
  return folder + std::string(kSettingsFileName);
}

std::optional<std::string> read_host_kind(HostKind& host) {
  host = HostKind::kExexml;
  std::string executable = platform::executable_path();
  if (executable.empty()) return std::nullopt;
  std::string settings;
  if (!platform::read_whole_file(settings_path(executable), settings)) return std::nullopt;
  return host_kind_from_settings(settings, host);
}

}  // namespace kestrovan
