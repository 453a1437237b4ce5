#include "saprfc_ini.h"

#include "landscape.h"
#include "sim_support.h"

namespace rfcsim {

std::map<std::string, Destination> parse_saprfc_ini(std::string_view text) {
  std::map<std::string, Destination> destinations;
  Destination* current = nullptr;
  Destination ignored;
  text = without_bom(text);  // Windows editors write one
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = trim_blanks(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    std::size_t equals = line.find('=');
    if (line.empty() || line[0] == '#' || line[0] == ';' || equals == std::string_view::npos) {
      continue;
    }
    std::string key = to_upper(trim_blanks(line.substr(0, equals)));
    std::string value(trim_blanks(line.substr(equals + 1)));
    if (key == "DEST") {
      auto [entry, added] = destinations.try_emplace(to_upper(value));
      current = added ? &entry->second : &ignored;
      continue;
    }
    if (!current) continue;
    if (key == "TYPE") current->type = value;
    if (key == "ASHOST") current->ashost = value;
    if (key == "SYSNR") current->sysnr = value;
    if (key == "GWHOST") current->gwhost = value;
    if (key == "GWSERV") current->gwserv = value;
  }
  return destinations;
}

}  // namespace rfcsim
