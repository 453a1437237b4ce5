#include "calls/system_info.h"

#include <cstdint>
#include <vector>

namespace kestrovan {

Failure read_system_information(RfcConnection& connection, const RunOptions& options,
                                TypeHandles& types, SystemInformation& information) {
  RFC_TYPEHANDLE rfcsi_type = installed_type(Structure::kRfcsi, types);
  RFC_TABLE no_tables[] = {{nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  std::vector<char> record(structure_length(Structure::kRfcsi), ' ');
  std::int32_t current_resources = 0, maximal_resources = 0, recommended_delay = 0;
  char dialog_user_type = ' ', login_complete = ' ';
  RFC_PARAMETER receive[] = {parameter_entry("CURRENT_RESOURCES", TYPINT, 4, &current_resources),
                             parameter_entry("DIALOG_USER_TYPE", TYPC, 1, &dialog_user_type),
                             parameter_entry("MAXIMAL_RESOURCES", TYPINT, 4, &maximal_resources),
                             parameter_entry("RECOMMENDED_DELAY", TYPINT, 4, &recommended_delay),
                             parameter_entry("RFCSI_EXPORT", rfcsi_type,
                                             structure_length(Structure::kRfcsi), record.data()),
                             parameter_entry("RFC_LOGIN_COMPLETE", TYPC, 1, &login_complete),
                             end_of_parameters()};
  if (Failure failure =
          call_and_receive(connection, options, "RFC_SYSTEM_INFO", receive, no_tables)) {
    return failure;
  }
  information.database_system = field_text(record.data(), Structure::kRfcsi, "RFCDBSYS");
  information.host = field_text(record.data(), Structure::kRfcsi, "RFCHOST");
  return std::nullopt;
}

}  // namespace kestrovan
