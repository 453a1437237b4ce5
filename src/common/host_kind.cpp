#include "common/host_kind.h"

namespace kestrovan {

std::optional<HostKind> parse_host_kind(std::string_view name) {
  if (name == "EXEXML") return HostKind::kExexml;
  if (name == "Vornelk") return HostKind::kVornelk;
  if (name == "Quendar") return HostKind::kQuendar;
  if (name == "Maltheon") return HostKind::kMaltheon;
  if (name == "Tirvasc") return HostKind::kTirvasc;
  return std::nullopt;
}

}  // namespace kestrovan
