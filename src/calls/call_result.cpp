#include "calls/call_result.h"

#include <cstring>

#include "common/text.h"
#include "rfc/diagnostics.h"

namespace kestrovan {

std::string call_failure_message(int code, std::string_view exception) {
  switch (code) {
    case RFC_FAILURE:
      return "Error 1014: RFC-Failure raised !";
    case RFC_EXCEPTION:
      return "Error 1012: Exception.: " + std::string(exception);
    case RFC_SYS_EXCEPTION:
      return "Error 1013: Sys-Exception raised !";
    default:
      return "Error 1015: Other Failure raised !";
  }
}

std::string exception_text(int code, const char* exception) {
  if ((code != RFC_EXCEPTION && code != RFC_SYS_EXCEPTION) || !exception) return {};
  return std::string(exception, strnlen(exception, kExceptionTextLimit));
}

Failure call_and_receive(RfcConnection& connection, const RunOptions& options, const char* function,
                         RFC_PARAMETER* receive, RFC_TABLE* tables) {
  RFC_PARAMETER no_parameters[] = {end_of_parameters()};
  const int number = static_cast<int>(connection.handle());
  int code = connection.call(function, no_parameters, tables).code;
  trace_event(options, number, "RfcCall called", "");
  std::string exception;
  if (code == RFC_OK) {
    RfcAnswer answer = connection.receive(receive, tables);
    code = answer.code;
    trace_event(options, number, "RfcReceive called", "");
    exception = exception_text(code, answer.exception);
  }
  if (code != RFC_OK) return call_failure_message(code, exception);
  return std::nullopt;
}

RFC_PARAMETER parameter_entry(const char* name, RFC_TYPEHANDLE type, unsigned length,
                              void* address) {
  return {const_cast<char*>(name), static_cast<unsigned>(std::strlen(name)), type, length, address};
}

RFC_PARAMETER end_of_parameters() { return {nullptr, 0, 0, 0, nullptr}; }

std::string field_text(const char* record, Structure structure, std::string_view field) {
  FieldPlace place = field_place(structure, field);
  return std::string(until_nul(std::string_view(record + place.offset, place.length)));
}

}  // namespace kestrovan
