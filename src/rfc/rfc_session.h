// The one place that calls the classic RFC API, through the function table
// of the library the process bound (the built-in one unless the settings
// name another). It owns what the library hands out:
//
//  - RfcConnection: a logged-on connection and the logon texts the library
//    may refer to while it is open; closed when the object goes;
//  - RfcTable: an internal table from ItCreate; deleted when the object goes.
//
// Both are move-only. The process binds its library once, before the first
// logon; the error handler installed here stays for the rest of the process.
#pragma once

#include <memory>
#include <string>

#include "rfc/rfc_functions.h"
#include "rfc_api.h"

namespace kestrovan {

// Makes `functions` the library of every later call.
void bind_rfc_library(const RfcFunctions& functions);

// The texts a logon through RfcOpen passes; the references in the logon
// options point into them.
struct LogonTexts {
  std::string destination, client, user, password, language;
  std::string hostname, gwhost, gwservice;
  int sysnr = 0;
  bool cpic = false;
};

// What RfcCall or RfcReceive answered: the result code and, for an
// exception, the library's exception text (null when it set none).
struct RfcAnswer {
  int code = RFC_OK;
  const char* exception = nullptr;
};

class RfcConnection {
 public:
  RfcConnection();
  RfcConnection(RfcConnection&& other) noexcept;
  RfcConnection& operator=(RfcConnection&& other) noexcept;
  RfcConnection(const RfcConnection&) = delete;
  RfcConnection& operator=(const RfcConnection&) = delete;
  ~RfcConnection();

  // RfcOpen with logon options made from `texts`: mode "R/2" selects the
  // CPI-C options, any other the R/3 options; empty texts pass as null.
  static RfcConnection open(const LogonTexts& texts);
  // RfcOpenEx with `connect`; the library's error record is not read.
  static RfcConnection open_ex(const std::string& connect);

  bool is_open() const { return handle_ != RFC_HANDLE_NULL; }
  RFC_HANDLE handle() const { return handle_; }

  RfcAnswer call(const char* function, RFC_PARAMETER* parameters, RFC_TABLE* tables);
  RfcAnswer receive(RFC_PARAMETER* parameters, RFC_TABLE* tables);

  // RfcClose, once; a connection that never opened is not closed.
  void close();

 private:
  struct Logon;
  RFC_HANDLE handle_ = RFC_HANDLE_NULL;
  std::unique_ptr<Logon> logon_;
};

class RfcTable {
 public:
  RfcTable() = default;
  RfcTable(RfcTable&& other) noexcept;
  RfcTable& operator=(RfcTable&& other) noexcept;
  RfcTable(const RfcTable&) = delete;
  RfcTable& operator=(const RfcTable&) = delete;
  ~RfcTable();

  // ItCreate; the result holds no table when the library refused.
  static RfcTable create(const char* name, unsigned line_length);

  bool exists() const { return handle_ != nullptr; }
  ITAB_H handle() const { return handle_; }
  unsigned lines() const;

  // ItDelete; false when the library refused (the table is then given up).
  bool remove();

 private:
  ITAB_H handle_ = nullptr;
};

// RfcInstallStructure; false when the library refused.
bool install_structure(const char* name, RFC_TYPE_ELEMENT* elements, unsigned entries,
                       RFC_TYPEHANDLE& type_handle);

// RfcEnvironment with `handler` and the library's own allocator.
void install_error_handler(RFC_ERROR_HANDLER handler);

// RfcLastError into a zeroed record.
RFC_ERROR_INFO last_rfc_error();

// RfcClose(RFC_HANDLE_NULL): every connection of the calling thread. Only the
// fatal-error report uses it, as the process is about to end.
void close_thread_connections();

}  // namespace kestrovan
