#include "profiles/settings.h"

#include "common/text.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace kestrovan {

Failure parse_settings(std::string_view text, Settings& settings) {
  settings = Settings{};
  std::optional<std::string> host_kind;
  std::string rfc_library;
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
  }
  Settings parsed;
  if (host_kind) {
    auto kind = parse_host_kind(*host_kind);
    if (!kind) return "Error 1040: Invalid Host-Kind " + *host_kind + " in Kestrovan.ini found...";
    parsed.host = *kind;
  }
  parsed.rfc_library = rfc_library;
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
