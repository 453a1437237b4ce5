// One remote call and its answer: the call's result code (0 success, 1 RFC
// failure, 2 exception, 3 system exception, else another failure) turned
// into the message the run reports.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "calls/descriptors.h"
#include "common/failure.h"
#include "common/run_options.h"
#include "rfc/rfc_session.h"

namespace kestrovan {

inline constexpr std::size_t kExceptionTextLimit = 255;

// "Error 1014: RFC-Failure raised !" and its siblings for a failed code.
std::string call_failure_message(int code, std::string_view exception);

// The exception text the library handed over, cut to its limit; empty for
// other results or when none was set.
std::string exception_text(int code, const char* exception);

// Calls `function` with an empty parameter list and `tables`, then receives
// its answer into `receive` and `tables`; traces both steps. A failed RfcCall
// skips the receive. Fails with the call's failure message.
Failure call_and_receive(RfcConnection& connection, const RunOptions& options, const char* function,
                         RFC_PARAMETER* receive, RFC_TABLE* tables);

// A parameter entry whose name length is that of `name`.
RFC_PARAMETER parameter_entry(const char* name, RFC_TYPEHANDLE type, unsigned length,
                              void* address);
// The entry that ends a parameter list.
RFC_PARAMETER end_of_parameters();

// A field of a received record: its characters up to its length, ending early
// at a zero byte; trailing blanks stay.
std::string field_text(const char* record, Structure structure, std::string_view field);

}  // namespace kestrovan
