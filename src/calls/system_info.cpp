#include "calls/system_info.h"

#include <cstdint>
#include <vector>

#include "rfc/diagnostics.h"

namespace kestrovan {

CallResult read_system_information(RFC_HANDLE handle, const Options& options, TypeHandles& types,
                                   SystemInformation& information,
                                   ConnectionParameters& parameters) {
  RFC_TYPEHANDLE rfcsi_type = installed_type(Structure::kRfcsi, types);
  RFC_PARAMETER no_parameters[] = {{nullptr, 0, 0, 0, nullptr}};
  RFC_TABLE no_tables[] = {{nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};

  CallResult result;
  result.code =
      RfcCall(handle, const_cast<rfc_char_t*>("RFC_SYSTEM_INFO"), no_parameters, no_tables);
  trace_event(options, static_cast<int>(handle), "RfcCall called", "");
  std::string exception;
  std::vector<char> record(structure_length(Structure::kRfcsi), ' ');
  if (result.code == RFC_OK) {
    std::int32_t current_resources = 0, maximal_resources = 0, recommended_delay = 0;
    char dialog_user_type = ' ', login_complete = ' ';
    RFC_PARAMETER receive[] = {
        {const_cast<char*>("CURRENT_RESOURCES"), 17, TYPINT, 4, &current_resources},
        {const_cast<char*>("DIALOG_USER_TYPE"), 16, TYPC, 1, &dialog_user_type},
        {const_cast<char*>("MAXIMAL_RESOURCES"), 17, TYPINT, 4, &maximal_resources},
        {const_cast<char*>("RECOMMENDED_DELAY"), 17, TYPINT, 4, &recommended_delay},
        {const_cast<char*>("RFCSI_EXPORT"), 12, rfcsi_type, structure_length(Structure::kRfcsi),
         record.data()},
        {const_cast<char*>("RFC_LOGIN_COMPLETE"), 18, TYPC, 1, &login_complete},
        {nullptr, 0, 0, 0, nullptr}};
    rfc_char_t* exception_reference = nullptr;
    result.code = RfcReceive(handle, receive, no_tables, &exception_reference);
    trace_event(options, static_cast<int>(handle), "RfcReceive called", "");
    exception = exception_text(result.code, exception_reference);
  }
  if (result.code != RFC_OK) {
    result.message = call_failure_message(result.code, exception);
    return result;
  }
  information.destination = field_text(record.data(), Structure::kRfcsi, "RFCDEST");
  information.database_system = field_text(record.data(), Structure::kRfcsi, "RFCDBSYS");
  information.release = field_text(record.data(), Structure::kRfcsi, "RFCSAPRL");
  information.operating_system = field_text(record.data(), Structure::kRfcsi, "RFCOPSYS");
  information.code_page = field_text(record.data(), Structure::kRfcsi, "RFCCHARTYP");
  parameters.display_host = field_text(record.data(), Structure::kRfcsi, "RFCHOST");
  return result;
}

}  // namespace kestrovan
