// The built-in RFC library: the classic API over the simulated systems of
// "SapSim.ini". It checks how it is used as the vendor's library would, and
// reports every failure in "Dev_Rfc.Trc" and through RfcLastError.
//
// Safe for concurrent use: the landscape is read once, every connection and
// table belongs to its handle, the last error belongs to the calling thread,
// and waits for a system's latency hold no lock.
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "export.h"
#include "landscape.h"
#include "records.h"
#include "rfcsim.h"
#include "saprfc_ini.h"
#include "sim_support.h"
#include "trace_file.h"

namespace rfcsim {

namespace {

constexpr const char* kLandscapeFile = "SapSim.ini";
constexpr const char* kSapRfcIni = "SapRfc.ini";
constexpr const char* kLedgerVariable = "RFCSIM_LEDGER";
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
  std::thread::id owner;  // RfcClose(RFC_HANDLE_NULL) closes a thread's own
  std::string function;   // the function module of the pending call
  bool called = false;
  std::string exception;  // the exception text handed out by RfcReceive
};

struct State {
  bool loaded = false;
  bool landscape_found = false;
  Landscape landscape;
  RFC_ERROR_HANDLER handler = nullptr;
  std::map<RFC_HANDLE, std::shared_ptr<Connection>> connections;
  RFC_HANDLE next_handle = 1;
  std::deque<StructureLayout> structures;  // type handle - kFirstTypeHandle
  std::set<Table*> tables;
};

// The process's library. It is never destroyed: other threads may still be
// inside a call while one of them ends the process.
struct Library {
  std::mutex guard;
  State state;
};

// When the environment names a ledger file, the end of the process appends
// how many connections and tables were still open, so that a test can tell
// that the sensor closed and deleted everything.
void write_ledger();

Library& library() {
  static Library* instance = [] {
    auto* created = new Library;
    if (std::getenv(kLedgerVariable)) std::atexit(write_ledger);
    return created;
  }();
  return *instance;
}

void write_ledger() {
  const char* ledger = std::getenv(kLedgerVariable);
  std::FILE* file = ledger ? std::fopen(ledger, "ab") : nullptr;
  if (!file) return;
  std::lock_guard<std::mutex> lock(library().guard);
  std::fprintf(file, "connections=%zu tables=%zu\n", library().state.connections.size(),
               library().state.tables.size());
  std::fclose(file);
}

struct LastError {
  bool set = false;
  RFC_ERROR_INFO info{};
};
thread_local LastError last_error;

void copy_text(char* target, std::size_t size, const std::string& text) {
  std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(target, text.data(), n);
  target[n] = '\0';
}

// Records a failure for RfcLastError and in the trace file. Called with the
// library's lock held, so that trace blocks never interleave.
void fail(const std::string& key, const std::string& status, const std::string& what,
          const std::string& detail) {
  RFC_ERROR_INFO& error = last_error.info;
  std::memset(&error, 0, sizeof error);
  copy_text(error.key, sizeof error.key, key);
  copy_text(error.status, sizeof error.status, status);
  copy_text(error.message, sizeof error.message, detail.empty() ? what : what + ": " + detail);
  last_error.set = true;
  append_error_block(what, detail);
}

void load_landscape(State& state) {
  if (state.loaded) return;
  state.loaded = true;
  std::string text;
  state.landscape_found = read_whole_file(kLandscapeFile, text);
  if (state.landscape_found) state.landscape = parse_landscape(text);
}

std::string text_or_empty(const char* text) { return text ? text : ""; }

std::string without_trailing_blanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

RFC_HANDLE log_on(std::unique_lock<std::mutex>& lock, const SimSystem* system,
                  const std::string& target, const std::string& client, const std::string& user,
                  const std::string& password) {
  State& state = library().state;
  if (!state.landscape_found) {
    // The detail is what the sensor shows after its message: short enough
    // for one line of the sensor's trace reading.
    fail("RFC_ERROR_COMMUNICATION", "CPIC-CALLER", "partner " + target + " not reached",
         std::string("no ") + kLandscapeFile +
             " found; RfcLibrary= in Kestrovan.ini selects SAP's RFC library");
    return RFC_HANDLE_NULL;
  }
  if (!system) {
    fail("RFC_ERROR_COMMUNICATION", "CPIC-CALLER", "partner " + target + " not reached",
         std::string("no system of ") + kLandscapeFile + " answers at " + target);
    return RFC_HANDLE_NULL;
  }
  if (system->latency_ms) {
    lock.unlock();
    sleep_milliseconds(system->latency_ms);
    lock.lock();
  }
  bool accepted = !system->fail_logon && client == system->client &&
                  to_upper(without_trailing_blanks(user)) == to_upper(system->user) &&
                  without_trailing_blanks(password) == system->passwd;
  if (!accepted) {
    fail("RFC_ERROR_LOGON_FAILURE", "LOGON", "Name or password is incorrect (repeat logon)",
         "logon to " + system->name + " client " + client + " user " +
             to_upper(without_trailing_blanks(user)) + " refused");
    return RFC_HANDLE_NULL;
  }
  RFC_HANDLE handle = state.next_handle++;
  auto connection = std::make_shared<Connection>();
  connection->system = system;
  connection->owner = std::this_thread::get_id();
  state.connections[handle] = connection;
  return handle;
}

std::shared_ptr<Connection> find_connection(RFC_HANDLE handle, const char* operation) {
  auto& connections = library().state.connections;
  auto found = connections.find(handle);
  if (found != connections.end()) return found->second;
  fail("RFC_ERROR_PROGRAM", operation, std::string(operation) + " with an invalid handle",
       "handle " + std::to_string(handle) + " is not an open connection");
  return nullptr;
}

const StructureLayout* find_structure(RFC_TYPEHANDLE type) {
  State& state = library().state;
  if (type < kFirstTypeHandle || type - kFirstTypeHandle >= state.structures.size()) return nullptr;
  return &state.structures[type - kFirstTypeHandle];
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
    } else if (!library().state.tables.count(handle)) {
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
// the installed handler called, without the lock (the handler asks for the
// last error and closes the connections, and may end the process).
RFC_RC abort_call(std::unique_lock<std::mutex>& lock, Connection& connection,
                  const std::string& operation) {
  fail("RFC_ERROR_SYSTEM_FAILURE", operation,
       "connection to " + connection.system->name + " broken during " + connection.function,
       "the simulated system aborted the call in " + operation);
  RFC_ERROR_HANDLER handler = library().state.handler;
  lock.unlock();
  if (handler) {
    std::string text = operation;
    handler(text.data());
  }
  return RFC_FAILURE;
}

// Waits for the system's latency without holding the lock.
void wait_latency(std::unique_lock<std::mutex>& lock, const SimSystem& system) {
  if (!system.latency_ms) return;
  lock.unlock();
  sleep_milliseconds(system.latency_ms);
  lock.lock();
}

}  // namespace

void reset_library() {
  Library& lib = library();
  std::lock_guard<std::mutex> lock(lib.guard);
  for (Table* table : lib.state.tables) delete table;
  lib.state = State{};
  last_error = LastError{};
}

std::size_t open_connection_count() {
  std::lock_guard<std::mutex> lock(library().guard);
  return library().state.connections.size();
}

std::size_t open_table_count() {
  std::lock_guard<std::mutex> lock(library().guard);
  return library().state.tables.size();
}

}  // namespace rfcsim

using namespace rfcsim;

extern "C" {

RFCSIM_API(void) RfcEnvironment(RFC_ENV* environment) {
  std::lock_guard<std::mutex> lock(library().guard);
  if (environment) library().state.handler = environment->errorhandler;
}

RFCSIM_API(RFC_HANDLE) RfcOpen(RFC_OPTIONS* options) {
  std::unique_lock<std::mutex> lock(library().guard);
  State& state = library().state;
  load_landscape(state);
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
    system = find_by_gateway(state.landscape, text_or_empty(cpic->gateway_host),
                             text_or_empty(cpic->gateway_service));
  } else {
    auto* r3 = static_cast<RFC_CONNOPT_R3ONLY*>(options->connopt);
    target = "host " + text_or_empty(r3->hostname) + " system number " + std::to_string(r3->sysnr);
    system = find_by_host(state.landscape, text_or_empty(r3->hostname), r3->sysnr);
  }
  return log_on(lock, system, target, text_or_empty(options->client), text_or_empty(options->user),
                text_or_empty(options->password));
}

RFCSIM_API(RFC_HANDLE) RfcOpenEx(rfc_char_t* connect, RFC_ERROR_INFO_EX* error_info) {
  std::unique_lock<std::mutex> lock(library().guard);
  State& state = library().state;
  load_landscape(state);
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
  if (!read_whole_file(kSapRfcIni, ini)) {
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
        system = find_by_gateway(state.landscape, d.gwhost, d.gwserv);
      } else {
        int sysnr = std::atoi(d.sysnr.c_str());
        target = "host " + d.ashost + " system number " + std::to_string(sysnr);
        system = find_by_host(state.landscape, d.ashost, sysnr);
      }
      handle = log_on(lock, system, target, values["CLIENT"], values["USER"], values["PASSWD"]);
    }
  }
  if (handle == RFC_HANDLE_NULL && error_info) {
    std::memset(error_info, 0, sizeof *error_info);
    error_info->group = RFC_ERROR_LOGON_FAILURE;
    copy_text(error_info->key, sizeof error_info->key, last_error.info.key);
    copy_text(error_info->message, sizeof error_info->message, last_error.info.message);
  }
  return handle;
}

RFCSIM_API(RFC_RC)
RfcCall(RFC_HANDLE handle, rfc_char_t* function, RFC_PARAMETER* /*parameters*/, RFC_TABLE* tables) {
  std::unique_lock<std::mutex> lock(library().guard);
  std::shared_ptr<Connection> connection = find_connection(handle, "RfcCall");
  if (!connection) return RFC_FAILURE;
  const SimSystem& system = *connection->system;
  connection->function = to_upper(text_or_empty(function));
  connection->called = false;
  wait_latency(lock, system);
  auto abort = system.abort_faults.find(connection->function);
  if (abort != system.abort_faults.end() && abort->second.rfind("RfcCall", 0) == 0) {
    return abort_call(lock, *connection, abort->second);
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

RFCSIM_API(RFC_RC)
RfcReceive(RFC_HANDLE handle, RFC_PARAMETER* parameters, RFC_TABLE* tables,
           rfc_char_t** exception) {
  std::unique_lock<std::mutex> lock(library().guard);
  if (exception) *exception = nullptr;
  std::shared_ptr<Connection> connection = find_connection(handle, "RfcReceive");
  if (!connection) return RFC_FAILURE;
  if (!connection->called) {
    fail("RFC_ERROR_PROGRAM", "RfcReceive", "RfcReceive without a successful RfcCall", "");
    return RFC_FAILURE;
  }
  connection->called = false;
  const SimSystem& system = *connection->system;
  const std::string& function = connection->function;
  auto abort = system.abort_faults.find(function);
  if (abort != system.abort_faults.end()) return abort_call(lock, *connection, abort->second);
  auto fault = system.receive_faults.find(function);
  if (fault != system.receive_faults.end()) {
    const ReceiveFault& f = fault->second;
    connection->exception = f.text;
    if ((f.code == RFC_EXCEPTION || f.code == RFC_SYS_EXCEPTION) && exception) {
      *exception = connection->exception.data();
    }
    fail(f.code == RFC_EXCEPTION ? "RFC_ERROR_APPLICATION_EXCEPTION" : "RFC_ERROR_SYSTEM_FAILURE",
         "RfcReceive", "RfcReceive " + function + " failed with code " + std::to_string(f.code),
         f.text.empty() ? "fault of the simulated system " + system.name
                        : "fault of the simulated system " + system.name + ": " + f.text);
    return static_cast<RFC_RC>(f.code);
  }
  if (function != kSystemInfo && function != kDictionaryInfo) {
    connection->exception = "FUNCTION_NOT_FOUND";
    if (exception) *exception = connection->exception.data();
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

// RFC_HANDLE_NULL closes every connection the calling thread opened, as the
// vendor's library does.
RFCSIM_API(void) RfcClose(RFC_HANDLE handle) {
  std::lock_guard<std::mutex> lock(library().guard);
  auto& connections = library().state.connections;
  if (handle != RFC_HANDLE_NULL) {
    connections.erase(handle);
    return;
  }
  for (auto at = connections.begin(); at != connections.end();) {
    at = at->second->owner == std::this_thread::get_id() ? connections.erase(at) : std::next(at);
  }
}

// 1 when the calling thread has no error to report, as the vendor's library.
RFCSIM_API(int) RfcLastError(RFC_ERROR_INFO* error_info) {
  if (error_info) *error_info = last_error.info;
  return last_error.set ? 0 : 1;
}

RFCSIM_API(RFC_RC)
RfcInstallStructure(rfc_char_t* name, RFC_TYPE_ELEMENT* elements, unsigned entries,
                    RFC_TYPEHANDLE* type_handle) {
  std::lock_guard<std::mutex> lock(library().guard);
  State& state = library().state;
  std::string structure = text_or_empty(name);
  load_landscape(state);
  if (state.landscape.install_faults.count(to_upper(structure)) || !elements || !type_handle) {
    fail("RFC_ERROR_PROGRAM", "RfcInstallStructure", "RfcInstallStructure " + structure + " failed",
         "fault of the built-in library: install " + structure);
    return RFC_FAILURE;
  }
  state.structures.push_back(make_layout(structure, elements, entries));
  *type_handle = kFirstTypeHandle + static_cast<RFC_TYPEHANDLE>(state.structures.size() - 1);
  return RFC_OK;
}

RFCSIM_API(ITAB_H) ItCreate(char* name, unsigned leng, unsigned /*occu*/, unsigned /*memo*/) {
  std::lock_guard<std::mutex> lock(library().guard);
  State& state = library().state;
  std::string table = text_or_empty(name);
  load_landscape(state);
  if (state.landscape.itcreate_faults.count(to_upper(table))) {
    fail("RFC_ERROR_RESOURCE", "ItCreate", "ItCreate " + table + " failed",
         "fault of the built-in library: itcreate " + table);
    return nullptr;
  }
  auto* created = new Table{table, leng, {}};
  state.tables.insert(created);
  return created;
}

RFCSIM_API(unsigned) ItFill(ITAB_H table) {
  std::lock_guard<std::mutex> lock(library().guard);
  auto* t = static_cast<Table*>(table);
  if (!library().state.tables.count(t)) return 0;
  return static_cast<unsigned>(t->lines.size());
}

RFCSIM_API(int) ItDelete(ITAB_H table) {
  std::lock_guard<std::mutex> lock(library().guard);
  State& state = library().state;
  auto* t = static_cast<Table*>(table);
  if (!state.tables.count(t)) {
    fail("RFC_ERROR_PROGRAM", "ItDelete", "ItDelete with an unknown table handle", "");
    return 1;
  }
  if (state.landscape.itdelete_faults.count(to_upper(t->name))) {
    fail("RFC_ERROR_RESOURCE", "ItDelete", "ItDelete " + t->name + " failed",
         "fault of the built-in library: itdelete " + t->name);
    return 1;
  }
  state.tables.erase(t);
  delete t;
  return 0;
}

RFCSIM_API(void*) ItAppLine(ITAB_H table) {
  std::lock_guard<std::mutex> lock(library().guard);
  auto* t = static_cast<Table*>(table);
  if (!library().state.tables.count(t)) return nullptr;
  return t->lines.emplace_back(t->line_length, '\0').data();
}

RFCSIM_API(void*) ItGetLine(ITAB_H table, unsigned line) {
  std::lock_guard<std::mutex> lock(library().guard);
  auto* t = static_cast<Table*>(table);
  if (!library().state.tables.count(t) || line == 0 || line > t->lines.size()) return nullptr;
  return t->lines[line - 1].data();
}

}  // extern "C"
