// RFC_SYSTEM_INFO: what the SAP system reports about itself. The run reads
// the database system from it; the host it reports becomes the display host.
#pragma once

#include <string>

#include "calls/call_result.h"
#include "calls/descriptors.h"
#include "profiles/connection_parameters.h"
#include "rfc/rfc_session.h"
#include "run/options.h"

namespace kestrovan {

struct SystemInformation {
  std::string destination;
  std::string database_system;  // 10 characters, trailing blanks kept
  std::string release;
  std::string operating_system;
  std::string code_page = "0000";
};

// On success fills `information` and the display host of `parameters`; on
// failure changes neither and returns the failure message.
CallResult read_system_information(RfcConnection& connection, const Options& options,
                                   TypeHandles& types, SystemInformation& information,
                                   ConnectionParameters& parameters);

}  // namespace kestrovan
