#include "calls/system_info.h"

#include <cstdint>
#include <vector>

namespace kestrovan {

CallResult read_system_information(RfcConnection& connection, const Options& options,
                                   TypeHandles& types, SystemInformation& information,
                                   ConnectionParameters& parameters) {
  RFC_TYPEHANDLE rfcsi_type = installed_type(Structure::kRfcsi, types);
  RFC_TABLE no_tables[] = {{nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  std::vector<char> record(structure_length(Structure::kRfcsi), ' ');
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
  CallResult result = call_and_receive(connection, options, "RFC_SYSTEM_INFO", receive, no_tables);
  if (result.code != RFC_OK) return result;
  information.destination = field_text(record.data(), Structure::kRfcsi, "RFCDEST");
  information.database_system = field_text(record.data(), Structure::kRfcsi, "RFCDBSYS");
  information.release = field_text(record.data(), Structure::kRfcsi, "RFCSAPRL");
  information.operating_system = field_text(record.data(), Structure::kRfcsi, "RFCOPSYS");
  information.code_page = field_text(record.data(), Structure::kRfcsi, "RFCCHARTYP");
  parameters.display_host = field_text(record.data(), Structure::kRfcsi, "RFCHOST");
  return result;
}

}  // namespace kestrovan
