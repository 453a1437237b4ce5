// "SapRfc.ini": the destinations RfcOpenEx can reach. Each block starts with
// a line DEST=name, followed by TYPE=A with ASHOST= and SYSNR=, or by GWHOST=
// and GWSERV=. Keys are matched without regard to case.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace rfcsim {

struct Destination {
  std::string type;
  std::string ashost;
  std::string sysnr;
  std::string gwhost;
  std::string gwserv;
};

// Destinations by name (upper case); a name given twice keeps its first block.
std::map<std::string, Destination> parse_saprfc_ini(std::string_view text);

}  // namespace rfcsim
