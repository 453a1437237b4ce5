#include "calls/call_result.h"

#include <cstring>

#include "common/text.h"

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

std::string field_text(const char* record, Structure structure, std::string_view field) {
  FieldPlace place = field_place(structure, field);
  return std::string(until_nul(std::string_view(record + place.offset, place.length)));
}

}  // namespace kestrovan
