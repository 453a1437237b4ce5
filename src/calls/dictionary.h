// DB02_DB4_GET_INFO: the dictionary check of a system on DB2 for IBM i. It
// returns six tables of object names and a record of summary information;
// the check keeps three table sizes and the record's texts. The tables exist
// only during the call and are deleted whatever its result.
#pragma once

#include "calls/call_result.h"
#include "calls/descriptors.h"
#include "common/records.h"
#include "common/run_options.h"
#include "rfc/rfc_session.h"

namespace kestrovan {

// On success fills `info`; fails with the message of the failed call.
Failure check_dictionary(RfcConnection& connection, const RunOptions& options, TypeHandles& types,
                         DictionaryInfo& info);

}  // namespace kestrovan
