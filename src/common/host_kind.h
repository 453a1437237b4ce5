// The monitoring host a run serves. It decides the form of the result
// document: XML for "EXEXML" (PRTG), "Vornelk" and "Tirvasc", plain text for
// "Maltheon" and "Quendar".
#pragma once

#include <optional>
#include <string_view>

namespace kestrovan {

enum class HostKind { kExexml, kVornelk, kQuendar, kMaltheon, kTirvasc };

// The host kind named exactly (case-sensitive) by `name`, if any.
std::optional<HostKind> parse_host_kind(std::string_view name);

inline bool is_xml_host(HostKind kind) {
  return kind == HostKind::kExexml || kind == HostKind::kVornelk || kind == HostKind::kTirvasc;
}

}  // namespace kestrovan
