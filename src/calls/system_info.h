// RFC_SYSTEM_INFO: what the SAP system reports about itself. The run reads
// the database system from it.
#pragma once

#include "calls/call_result.h"
#include "calls/descriptors.h"
#include "common/records.h"
#include "common/run_options.h"
#include "rfc/rfc_session.h"

namespace kestrovan {

// On success fills `information`; on failure leaves it and fails with the
// message of the failed call.
Failure read_system_information(RfcConnection& connection, const RunOptions& options,
                                TypeHandles& types, SystemInformation& information);

}  // namespace kestrovan
