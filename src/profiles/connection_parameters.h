// The connection parameters: the eleven profile fields a logon needs, and
// the host name shown in progress lines.
#pragma once

#include <string>

namespace kestrovan {

struct ConnectionParameters {
  std::string extcompany;
  std::string destination;
  std::string client;
  std::string user;
  std::string password;
  std::string language;
  std::string mode;
  std::string hostname;
  std::string sysnr;
  std::string gwhost;
  std::string gwservice;
  // The host shown in progress lines: the profile's host name, replaced by
  // the host the SAP system reports once it answered.
  std::string display_host;
};

}  // namespace kestrovan
