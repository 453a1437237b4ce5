// The built-in library's readers: SapSim.ini and SapRfc.ini. Every index
// entry points at a system of the landscape that answers to it, and no row
// count or latency goes beyond its limit.
#include <string>

#include "common/text.h"
#include "fuzz_support.h"
#include "landscape.h"
#include "saprfc_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  rfcsim::Landscape landscape = rfcsim::parse_landscape(text);
  for (const auto& [key, system] : landscape.by_host) {
    fuzz::check(kestrovan::to_upper(system->ashost) == key.first && system->sysnr == key.second,
                "host index points at the wrong system");
  }
  for (const auto& [key, system] : landscape.by_gateway) {
    fuzz::check(kestrovan::to_upper(system->gwhost) == key.first, "gateway index");
  }
  for (const rfcsim::SimSystem& system : landscape.systems) {
    for (const auto& [table, rows] : system.rows) {
      fuzz::check(rows <= rfcsim::kMaxRows, "row count beyond the limit");
    }
    fuzz::check(system.latency_ms <= 600000, "latency beyond the limit");
  }
  for (const auto& [name, destination] : rfcsim::parse_saprfc_ini(text)) {
    fuzz::check(name == kestrovan::to_upper(name), "destination key not upper case");
  }
  return 0;
}
