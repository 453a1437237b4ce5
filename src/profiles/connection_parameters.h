// The connection parameters: the eleven profile fields a logon needs. They
// stay as the profile gave them once it is read.
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
};

}  // namespace kestrovan
