// The landscape file "SapSim.ini": the simulated SAP systems the built-in RFC
// library serves, their answers and the faults they show.
//
//   [BIN]                         a system; the name is its system ID
//   ashost = sapbin01             reached by RfcOpen in mode R/3 with host
//   sysnr = 00                    and system number,
//   gwhost = sapgw01              or in mode CPI-C with gateway host
//   gwserv = sapgw00              and service
//   client = 100                  logon data
//   user = MONITOR
//   passwd = Geheim99
//   rfcsi.RFCDBSYS = DB4          a field of RFC_SYSTEM_INFO's RFCSI record
//   db02.SYSID = BIN              a field of DB02_DB4_GET_INFO's record
//   rows.ADDTL_TABLES = 1234      rows of one of its six tables
//   fail = logon                  faults, one line each (see the README)
//   latency_ms = 200
//   [library]                     settings of the library as a whole
//   fail = itcreate MISS_VIEWS
//
// Keys are matched without regard to case; blanks around keys and values are
// trimmed; lines starting with "#" or ";" are comments. A section named
// twice continues the first one.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rfcsim {

// Rows of one table at the most, so that a typing slip cannot exhaust memory.
inline constexpr unsigned long kMaxRows = 1000000;

struct ReceiveFault {
  int code = 0;
  std::string text;
};

struct SimSystem {
  std::string name;
  std::string ashost;
  int sysnr = 0;
  std::string gwhost;
  std::string gwserv;
  std::string client;
  std::string user;
  std::string passwd;
  std::map<std::string, std::string> rfcsi;  // field name (upper case) -> value
  std::map<std::string, std::string> db02;
  std::map<std::string, unsigned long> rows;  // table name (upper case) -> rows
  bool fail_logon = false;
  std::map<std::string, int> call_faults;  // function (upper case) -> result
  std::map<std::string, ReceiveFault> receive_faults;
  std::map<std::string, std::string> abort_faults;  // function -> operation text
  unsigned latency_ms = 0;
};

struct Landscape {
  std::deque<SimSystem> systems;
  std::map<std::pair<std::string, int>, const SimSystem*> by_host;  // (HOST, sysnr)
  std::map<std::pair<std::string, std::string>, const SimSystem*> by_gateway;
  std::set<std::string> itcreate_faults;  // table names (upper case)
  std::set<std::string> itdelete_faults;
  std::set<std::string> install_faults;  // structure names (upper case)
  std::vector<std::string> problems;     // lines that could not be understood
};

Landscape parse_landscape(std::string_view text);

// The system reached by host name (without regard to case) and number.
const SimSystem* find_by_host(const Landscape& landscape, std::string_view host, int sysnr);
const SimSystem* find_by_gateway(const Landscape& landscape, std::string_view host,
                                 std::string_view service);

}  // namespace rfcsim
