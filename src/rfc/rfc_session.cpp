#include "rfc/rfc_session.h"

#include <cstring>
#include <utility>

namespace kestrovan {

namespace {

RfcFunctions& bound() {
  static RfcFunctions functions = builtin_rfc_functions();
  return functions;
}

char* reference(std::string& text) { return text.empty() ? nullptr : text.data(); }

}  // namespace

void bind_rfc_library(const RfcFunctions& functions) { bound() = functions; }

// What the library may refer to while the connection is open.
struct RfcConnection::Logon {
  LogonTexts texts;
  RFC_CONNOPT_R3ONLY r3{};
  RFC_CONNOPT_CPIC cpic{};
  RFC_OPTIONS options{};
  std::string connect;
};

RfcConnection::RfcConnection(RfcConnection&& other) noexcept
    : handle_(std::exchange(other.handle_, RFC_HANDLE_NULL)), logon_(std::move(other.logon_)) {}

RfcConnection& RfcConnection::operator=(RfcConnection&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, RFC_HANDLE_NULL);
    logon_ = std::move(other.logon_);
  }
  return *this;
}

RfcConnection::RfcConnection() = default;

RfcConnection::~RfcConnection() { close(); }

RfcConnection RfcConnection::open(const LogonTexts& texts) {
  RfcConnection connection;
  connection.logon_ = std::make_unique<Logon>();
  Logon& logon = *connection.logon_;
  logon.texts = texts;
  LogonTexts& t = logon.texts;
  RFC_OPTIONS& options = logon.options;
  options.destination = t.destination.data();
  options.client = t.client.data();
  options.user = t.user.data();
  options.password = t.password.data();
  options.language = t.language.data();
  options.trace = 0;
  if (t.cpic) {
    options.mode = RFC_MODE_CPIC;
    logon.cpic = {reference(t.gwhost), reference(t.gwservice)};
    options.connopt = &logon.cpic;
  } else {
    options.mode = RFC_MODE_R3ONLY;
    logon.r3 = {reference(t.hostname), t.sysnr, reference(t.gwhost), reference(t.gwservice)};
    options.connopt = &logon.r3;
  }
  connection.handle_ = bound().open(&options);
  return connection;
}

RfcConnection RfcConnection::open_ex(const std::string& connect) {
  RfcConnection connection;
  connection.logon_ = std::make_unique<Logon>();
  connection.logon_->connect = connect;
  RFC_ERROR_INFO_EX error{};
  connection.handle_ = bound().open_ex(connection.logon_->connect.data(), &error);
  return connection;
}

RfcAnswer RfcConnection::call(const char* function, RFC_PARAMETER* parameters, RFC_TABLE* tables) {
  RfcAnswer answer;
  answer.code = bound().call(handle_, const_cast<rfc_char_t*>(function), parameters, tables);
  return answer;
}

RfcAnswer RfcConnection::receive(RFC_PARAMETER* parameters, RFC_TABLE* tables) {
  RfcAnswer answer;
  rfc_char_t* exception = nullptr;
  answer.code = bound().receive(handle_, parameters, tables, &exception);
  answer.exception = exception;
  return answer;
}

void RfcConnection::close() {
  // Never RfcClose(RFC_HANDLE_NULL) here: that would close every connection
  // of the thread.
  if (handle_ != RFC_HANDLE_NULL) bound().close(handle_);
  handle_ = RFC_HANDLE_NULL;
  logon_.reset();
}

RfcTable::RfcTable(RfcTable&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

RfcTable& RfcTable::operator=(RfcTable&& other) noexcept {
  if (this != &other) {
    remove();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

RfcTable::~RfcTable() { remove(); }

RfcTable RfcTable::create(const char* name, unsigned line_length) {
  RfcTable table;
  table.handle_ = bound().it_create(const_cast<char*>(name), line_length, 0, 0);
  return table;
}

unsigned RfcTable::lines() const { return handle_ ? bound().it_fill(handle_) : 0; }

bool RfcTable::remove() {
  if (!handle_) return true;
  ITAB_H handle = std::exchange(handle_, nullptr);
  return bound().it_delete(handle) == 0;
}

bool install_structure(const char* name, RFC_TYPE_ELEMENT* elements, unsigned entries,
                       RFC_TYPEHANDLE& type_handle) {
  return bound().install_structure(const_cast<rfc_char_t*>(name), elements, entries,
                                   &type_handle) == RFC_OK;
}

void install_error_handler(RFC_ERROR_HANDLER handler) {
  // The library may call the handler until the process ends. The process has
  // one handler, so the record is filled once.
  static RFC_ENV environment = {handler, nullptr};
  bound().environment(&environment);
}

RFC_ERROR_INFO last_rfc_error() {
  RFC_ERROR_INFO error;
  std::memset(&error, 0, sizeof error);
  bound().last_error(&error);
  return error;
}

void close_thread_connections() { bound().close(RFC_HANDLE_NULL); }

}  // namespace kestrovan
