// The built-in RFC library: the classic API over the simulated systems of
// "SapSim.ini". It checks how it is used as the vendor's library would, and
// reports every failure in "Dev_Rfc.Trc" and through RfcLastError.
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/text.h"
#include "landscape.h"
#include "platform/line_reader.h"
#include "platform/platform.h"
#include "records.h"
#include "rfc/rfc_api.h"
#include "rfcsim.h"
#include "saprfc_ini.h"
#include "trace_file.h"

namespace rfcsim {

using kestrovan::to_upper;
using kestrovan::trim_blanks;
namespace {

constexpr const char* kLandscapeFile = "SapSim.ini";
constexpr const char* kSapRfcIni = "SapRfc.ini";
constexpr RFC_TYPEHANDLE kFirstTypeHandle = 100;  // below: elementary types
constexpr const char* kSystemInfo = "RFC_SYSTEM_INFO";
constexpr const char* kDictionaryInfo = "DB02_DB4_GET_INFO";

struct Table {
  std::string name;
  unsigned line_length = 0;
  std::deque<std::string> lines;
};

struct Connection {
  const SimSystem* system = nullptr;
  std::string function;  // the function module of the pending call
  bool called = false;
};

struct Library {
  bool loaded = false;
  bool landscape_found = false;
  Landscape landscape;
  RFC_ERROR_HANDLER handler = nullptr;
  std::map<RFC_HANDLE, Connection> connections;
  RFC_HANDLE next_handle = 1;
  std::vector<StructureLayout> structures;  // type handle - kFirstTypeHandle
  std::set<Table*> tables;
  RFC_ERROR_INFO last_error{};
  std::string exception;
};

Library& library() {
  static Library instance;
  return instance;
}

void copy_text(char* target, std::size_t size, const std::string& text) {
  std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(target, text.data(), n);
  target[n] = '\0';
}

// Records a failure for RfcLastError and in the trace file.
void fail(const std::string& key, const std::string& status, const std::string& what,
          const std::string& detail) {
  RFC_ERROR_INFO& error = library().last_error;
  std::memset(&error, 0, sizeof error);
  copy_text(error.key, sizeof error.key, key);
  copy_text(error.status, sizeof error.status, status);
  copy_text(error.message, sizeof error.message, detail.empty() ? what : what + ": " + detail);
  append_error_block(what, detail);
}

void load_landscape() {
  Library& lib = library();
  if (lib.loaded) return;
  lib.loaded = true;
  std::string text;
  lib.landscape_found = kestrovan::platform::read_whole_file(kLandscapeFile, text);
  if (lib.landscape_found) lib.landscape = parse_landscape(text);
}

std::string text_or_empty(const char* text) { return text ? text : ""; }

std::string without_trailing_blanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

RFC_HANDLE log_on(const SimSystem* system, const std::string& target, const std::string& client,
                  const std::string& user, const std::string& password) {
  Library& lib = library();
  if (!lib.landscape_found) {
    fail("RFC_ERROR_COMMUNICATION", "CPIC-CALLER", "partner " + target + " not reached",
         std::string("no ") + kLandscapeFile +
             " found: the built-in RFC library serves only the systems described there");
    return RFC_HANDLE_NULL;
  }
  if (!system) {
    fail("RFC_ERROR_COMMUNICATION", "CPIC-CALLER", "partner " + target + " not reached",
         std::string("no system of ") + kLandscapeFile + " answers at " + target);
    return RFC_HANDLE_NULL;
  }
  if (system->latency_ms) kestrovan::platform::sleep_milliseconds(system->latency_ms);
  bool accepted = !system->fail_logon && client == system->client &&
                  to_upper(without_trailing_blanks(user)) == to_upper(system->user) &&
                  without_trailing_blanks(password) == system->passwd;
  if (!accepted) {
    fail("RFC_ERROR_LOGON_FAILURE", "LOGON", "Name or password is incorrect (repeat logon)",
         "logon to " + system->name + " client " + client + " user " +
             to_upper(without_trailing_blanks(user)) + " refused");
    return RFC_HANDLE_NULL;
  }
  RFC_HANDLE handle = lib.next_handle++;
  lib.connections[handle].system = system;
  return handle;
}

Connection* find_connection(RFC_HANDLE handle, const char* operation) {
  auto found = library().connections.find(handle);
  if (found != library().connections.end()) return &found->second;
  fail("RFC_ERROR_PROGRAM", operation, std::string(operation) + " with an invalid handle",
       "handle " + std::to_string(handle) + " is not an open connection");
  return nullptr;
}

const StructureLayout* find_structure(RFC_TYPEHANDLE type) {
  Library& lib = library();
  if (type < kFirstTypeHandle || type - kFirstTypeHandle >= lib.structures.size()) return nullptr;
  return &lib.structures[type - kFirstTypeHandle];
}

std::string name_of(const char* name, unsigned length) {
  return name ? std::string(name, strnlen(name, length)) : "";
}

// The usage checks on a table list; false (with a trace block) on a mistake.
bool check_tables(RFC_TABLE* tables, const char* operation) {
  for (RFC_TABLE* table = tables; table && table->name; ++table) {
    std::string name = name_of(table->name, table->nlen);
    const StructureLayout* row = find_structure(table->type);
    std::string problem;
    Table* handle = static_cast<Table*>(table->ithandle);
    if (!row) {
      problem = "row type " + std::to_string(table->type) + " was never installed";
    } else if (table->leng != row->length) {
      problem = "line length " + std::to_string(table->leng) + " is not the length " +
                std::to_string(row->length) + " of " + row->name;
    } else if (!library().tables.count(handle)) {
      problem = "unknown table handle";
    } else if (handle->line_length != table->leng) {
      problem = "the table was created with line length " + std::to_string(handle->line_length);
    }
    if (!problem.empty()) {
      fail("RFC_ERROR_PROGRAM", operation, std::string(operation) + ": table " + name, problem);
      return false;
    }
  }
  return true;
}

// Fills one received parameter; false (with a trace block) on a mistake.
bool receive_parameter(const RFC_PARAMETER& parameter, const SimSystem& system,
                       const std::string& function) {
  std::string name = name_of(parameter.name, parameter.nlen);
  char* target = static_cast<char*>(parameter.addr);
  if (!target) return true;
  if (parameter.type >= kFirstTypeHandle) {
    const StructureLayout* layout = find_structure(parameter.type);
    std::string problem;
    if (!layout) {
      problem = "type handle " + std::to_string(parameter.type) + " was never installed";
    } else if (parameter.leng != layout->length) {
      problem = "length " + std::to_string(parameter.leng) + " is not the length " +
                std::to_string(layout->length) + " of " + layout->name;
    }
    if (!problem.empty()) {
      fail("RFC_ERROR_PROGRAM", "RfcReceive", "RfcReceive: parameter " + name, problem);
      return false;
    }
    std::map<std::string, std::string> values;
    if (function == kSystemInfo) {
      values = {{"RFCSYSID", system.name},
                {"RFCDBSYS", "DB4"},
                {"RFCHOST", system.ashost.substr(0, 8)},
                {"RFCCHARTYP", "1100"}};
      for (const auto& [field, value] : system.rfcsi) values[field] = value;
    } else {
      values = {{"DBSYS", "DB4"},
                {"SYSID", system.name},
                {"FS_A_DATE", "00000000"},
                {"FS_A_TIME", "000000"}};
      for (const auto& [field, value] : system.db02) values[field] = value;
    }
    fill_record(*layout, values, target);
    return true;
  }
  if (parameter.type == TYPINT && parameter.leng == 4) {
    std::int32_t value = name == "CURRENT_RESOURCES" ? 5 : name == "MAXIMAL_RESOURCES" ? 10 : 0;
    std::memcpy(target, &value, sizeof value);
  } else if (parameter.type == TYPC) {
    put_characters(target, parameter.leng, name == "RFC_LOGIN_COMPLETE" ? "X" : "");
  }
  return true;
}

void fill_tables(RFC_TABLE* tables, const SimSystem& system) {
  for (RFC_TABLE* table = tables; table && table->name; ++table) {
    std::string name = name_of(table->name, table->nlen);
    auto rows = system.rows.find(name);
    if (rows == system.rows.end()) continue;
    Table* target = static_cast<Table*>(table->ithandle);
    char line[64];
    for (unsigned long row = 1; row <= rows->second; ++row) {
      std::snprintf(line, sizeof line, "Z%s_%06lu", name.c_str(), row);
      std::string& stored = target->lines.emplace_back(target->line_length, ' ');
      stored.replace(0, std::min<std::size_t>(std::strlen(line), stored.size()), line,
                     std::min<std::size_t>(std::strlen(line), stored.size()));
    }
  }
}

// A fatal error as the vendor's library reports it: last error filled, then
// the installed handler called.
RFC_RC abort_call(Connection& connection, const std::string& operation) {
  fail("RFC_ERROR_SYSTEM_FAILURE", operation,
       "connection to " + connection.system->name + " broken during " + connection.function,
       "the simulated system aborted the call in " + operation);
  if (RFC_ERROR_HANDLER handler = library().handler) {
    std::string text = operation;
    handler(text.data());
  }
  return RFC_FAILURE;
}

}  // namespace

void reset_library() {
  Library& lib = library();
  for (Table* table : lib.tables) delete table;
  lib = Library{};
}

}  // namespace rfcsim

using namespace rfcsim;

extern "C" {

void KESTROVAN_RFC_CALL RfcEnvironment(RFC_ENV* environment) {
  if (environment) library().handler = environment->errorhandler;
}

RFC_HANDLE KESTROVAN_RFC_CALL RfcOpen(RFC_OPTIONS* options) {
  load_landscape();
  if (!options || !options->connopt) {
    fail("RFC_ERROR_PROGRAM", "RfcOpen", "RfcOpen without connection options", "");
    return RFC_HANDLE_NULL;
  }
  const SimSystem* system = nullptr;
  std::string target;
  if (options->mode == RFC_MODE_CPIC) {
    auto* cpic = static_cast<RFC_CONNOPT_CPIC*>(options->connopt);
    target = "gateway " + text_or_empty(cpic->gateway_host) + " service " +
             text_or_empty(cpic->gateway_service);
    system = find_by_gateway(library().landscape, text_or_empty(cpic->gateway_host),
                             text_or_empty(cpic->gateway_service));
  } else {
    auto* r3 = static_cast<RFC_CONNOPT_R3ONLY*>(options->connopt);
    target = "host " + text_or_empty(r3->hostname) + " system number " + std::to_string(r3->sysnr);
    system = find_by_host(library().landscape, text_or_empty(r3->hostname), r3->sysnr);
  }
  return log_on(system, target, text_or_empty(options->client), text_or_empty(options->user),
                text_or_empty(options->password));
}

RFC_HANDLE KESTROVAN_RFC_CALL RfcOpenEx(rfc_char_t* connect, RFC_ERROR_INFO_EX* error_info) {
  load_landscape();
  std::map<std::string, std::string> values;
  std::string text = text_or_empty(connect);
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    std::string word = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    std::size_t equals = word.find('=');
    if (equals != std::string::npos)
      values[to_upper(word.substr(0, equals))] = word.substr(equals + 1);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  std::string ini;
  RFC_HANDLE handle = RFC_HANDLE_NULL;
  std::string destination = values["DEST"];
  if (!kestrovan::platform::read_whole_file(kSapRfcIni, ini)) {
    fail("RFC_ERROR_PROGRAM", "RfcOpenEx", "destination " + destination + " not found",
         std::string("no ") + kSapRfcIni + " in the working directory");
  } else {
    auto destinations = parse_saprfc_ini(ini);
    auto found = destinations.find(to_upper(destination));
    if (found == destinations.end()) {
      fail("RFC_ERROR_PROGRAM", "RfcOpenEx", "destination " + destination + " not found",
           std::string("no DEST=") + destination + " in " + kSapRfcIni);
    } else {
      const Destination& d = found->second;
      const SimSystem* system = nullptr;
      std::string target;
      if (!d.gwhost.empty() && d.ashost.empty()) {
        target = "gateway " + d.gwhost + " service " + d.gwserv;
        system = find_by_gateway(library().landscape, d.gwhost, d.gwserv);
      } else {
        int sysnr = std::atoi(d.sysnr.c_str());
        target = "host " + d.ashost + " system number " + std::to_string(sysnr);
        system = find_by_host(library().landscape, d.ashost, sysnr);
      }
      handle = log_on(system, target, values["CLIENT"], values["USER"], values["PASSWD"]);
    }
  }
  if (handle == RFC_HANDLE_NULL && error_info) {
    std::memset(error_info, 0, sizeof *error_info);
    error_info->group = RFC_ERROR_LOGON_FAILURE;
    copy_text(error_info->key, sizeof error_info->key, library().last_error.key);
    copy_text(error_info->message, sizeof error_info->message, library().last_error.message);
  }
  return handle;
}

RFC_RC KESTROVAN_RFC_CALL RfcCall(RFC_HANDLE handle, rfc_char_t* function,
                                  RFC_PARAMETER* /*parameters*/, RFC_TABLE* tables) {
  Connection* connection = find_connection(handle, "RfcCall");
  if (!connection) return RFC_FAILURE;
  const SimSystem& system = *connection->system;
  connection->function = to_upper(text_or_empty(function));
  connection->called = false;
  if (system.latency_ms) kestrovan::platform::sleep_milliseconds(system.latency_ms);
  auto abort = system.abort_faults.find(connection->function);
  if (abort != system.abort_faults.end() && abort->second.rfind("RfcCall", 0) == 0) {
    return abort_call(*connection, abort->second);
  }
  auto fault = system.call_faults.find(connection->function);
  if (fault != system.call_faults.end()) {
    fail("RFC_ERROR_COMMUNICATION", "RfcCall",
         "RfcCall " + connection->function + " failed with code " + std::to_string(fault->second),
         "fault of the simulated system " + system.name + ": " + connection->function + " call " +
             std::to_string(fault->second));
    return static_cast<RFC_RC>(fault->second);
  }
  if (!check_tables(tables, "RfcCall")) return RFC_FAILURE;
  connection->called = true;
  return RFC_OK;
}

RFC_RC KESTROVAN_RFC_CALL RfcReceive(RFC_HANDLE handle, RFC_PARAMETER* parameters,
                                     RFC_TABLE* tables, rfc_char_t** exception) {
  Library& lib = library();
  if (exception) *exception = nullptr;
  Connection* connection = find_connection(handle, "RfcReceive");
  if (!connection) return RFC_FAILURE;
  if (!connection->called) {
    fail("RFC_ERROR_PROGRAM", "RfcReceive", "RfcReceive without a successful RfcCall", "");
    return RFC_FAILURE;
  }
  connection->called = false;
  const SimSystem& system = *connection->system;
  const std::string& function = connection->function;
  auto abort = system.abort_faults.find(function);
  if (abort != system.abort_faults.end()) return abort_call(*connection, abort->second);
  auto fault = system.receive_faults.find(function);
  if (fault != system.receive_faults.end()) {
    const ReceiveFault& f = fault->second;
    lib.exception = f.text;
    if ((f.code == RFC_EXCEPTION || f.code == RFC_SYS_EXCEPTION) && exception) {
      *exception = lib.exception.data();
    }
    fail(f.code == RFC_EXCEPTION ? "RFC_ERROR_APPLICATION_EXCEPTION" : "RFC_ERROR_SYSTEM_FAILURE",
         "RfcReceive", "RfcReceive " + function + " failed with code " + std::to_string(f.code),
         f.text.empty() ? "fault of the simulated system " + system.name
                        : "fault of the simulated system " + system.name + ": " + f.text);
    return static_cast<RFC_RC>(f.code);
  }
  if (function != kSystemInfo && function != kDictionaryInfo) {
    lib.exception = "FUNCTION_NOT_FOUND";
    if (exception) *exception = lib.exception.data();
    fail("RFC_ERROR_SYSTEM_FAILURE", "RfcReceive", "Function module " + function + " not found",
         "the simulated system " + system.name + " knows RFC_SYSTEM_INFO and DB02_DB4_GET_INFO");
    return RFC_SYS_EXCEPTION;
  }
  if (!check_tables(tables, "RfcReceive")) return RFC_FAILURE;
  for (RFC_PARAMETER* parameter = parameters; parameter && parameter->name; ++parameter) {
    if (!receive_parameter(*parameter, system, function)) return RFC_FAILURE;
  }
  if (function == kDictionaryInfo) fill_tables(tables, system);
  return RFC_OK;
}

void KESTROVAN_RFC_CALL RfcClose(RFC_HANDLE handle) { library().connections.erase(handle); }

int KESTROVAN_RFC_CALL RfcLastError(RFC_ERROR_INFO* error_info) {
  if (error_info) *error_info = library().last_error;
  return 0;
}

RFC_RC KESTROVAN_RFC_CALL RfcInstallStructure(rfc_char_t* name, RFC_TYPE_ELEMENT* elements,
                                              unsigned entries, RFC_TYPEHANDLE* type_handle) {
  Library& lib = library();
  std::string structure = text_or_empty(name);
  if (lib.loaded == false) load_landscape();
  if (lib.landscape.install_faults.count(to_upper(structure)) || !elements || !type_handle) {
    fail("RFC_ERROR_PROGRAM", "RfcInstallStructure", "RfcInstallStructure " + structure + " failed",
         "fault of the built-in library: install " + structure);
    return RFC_FAILURE;
  }
  lib.structures.push_back(make_layout(structure, elements, entries));
  *type_handle = kFirstTypeHandle + static_cast<RFC_TYPEHANDLE>(lib.structures.size() - 1);
  return RFC_OK;
}

ITAB_H KESTROVAN_RFC_CALL ItCreate(char* name, unsigned leng, unsigned /*occu*/,
                                   unsigned /*memo*/) {
  Library& lib = library();
  std::string table = text_or_empty(name);
  if (!lib.loaded) load_landscape();
  if (lib.landscape.itcreate_faults.count(to_upper(table))) {
    fail("RFC_ERROR_RESOURCE", "ItCreate", "ItCreate " + table + " failed",
         "fault of the built-in library: itcreate " + table);
    return nullptr;
  }
  auto* created = new Table{table, leng, {}};
  lib.tables.insert(created);
  return created;
}

unsigned KESTROVAN_RFC_CALL ItFill(ITAB_H table) {
  auto* t = static_cast<Table*>(table);
  if (!library().tables.count(t)) return 0;
  return static_cast<unsigned>(t->lines.size());
}

int KESTROVAN_RFC_CALL ItDelete(ITAB_H table) {
  Library& lib = library();
  auto* t = static_cast<Table*>(table);
  if (!lib.tables.count(t)) {
    fail("RFC_ERROR_PROGRAM", "ItDelete", "ItDelete with an unknown table handle", "");
    return 1;
  }
  if (lib.landscape.itdelete_faults.count(to_upper(t->name))) {
    fail("RFC_ERROR_RESOURCE", "ItDelete", "ItDelete " + t->name + " failed",
         "fault of the built-in library: itdelete " + t->name);
    return 1;
  }
  lib.tables.erase(t);
  delete t;
  return 0;
}

void* KESTROVAN_RFC_CALL ItAppLine(ITAB_H table) {
  auto* t = static_cast<Table*>(table);
  if (!library().tables.count(t)) return nullptr;
  return t->lines.emplace_back(t->line_length, '\0').data();
}

void* KESTROVAN_RFC_CALL ItGetLine(ITAB_H table, unsigned line) {
  auto* t = static_cast<Table*>(table);
  if (!library().tables.count(t) || line == 0 || line > t->lines.size()) return nullptr;
  return t->lines[line - 1].data();
}

}  // extern "C"
