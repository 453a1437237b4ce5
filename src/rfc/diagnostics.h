// What tells the operator what went wrong around the RFC library:
//
//  - trace_event: one line per RFC step ("%d %s %s"), written to the system
//    log when the options hold ",SYSLOG" (the log is opened at start-up);
//  - report_rfc_error: the fatal-error report on standard output, then exit
//    code 1. The library calls it through rfc_error_handler; the calls call
//    it themselves when a structure or an internal table fails;
//  - trace_hint: the last error text of "Dev_Rfc.Trc", added to the message
//    of a failed remote call.
#pragma once

#include <string>
#include <string_view>

#include "common/run_options.h"
#include "rfc_api.h"

namespace kestrovan {

inline constexpr std::string_view kTraceFileName = "Dev_Rfc.Trc";
inline constexpr std::size_t kTraceLineLimit = 99;
inline constexpr int kFieldLabelWidth = 15;
inline constexpr int kExitRfcError = 1;

// Opens the system log as trace stream and abort log when the options hold
// ",SYSLOG".
void open_trace_streams(const RunOptions& options);

std::string format_trace_event(int number, std::string_view event, std::string_view detail);
void trace_event(const RunOptions& options, int number, std::string_view event,
                 std::string_view detail);

// The report's lines for `operation` and the library's last error.
std::string format_rfc_error_report(std::string_view operation, const RFC_ERROR_INFO& error);

[[noreturn]] void report_rfc_error(std::string_view operation);

// Called by report_rfc_error before it reports, on the failing thread: a run
// whose turns run in parallel lets the report wait there until the turns
// before the failing one are reported. Null: none.
using AbortGate = void (*)();
void set_abort_gate(AbortGate gate);

// The handler installed with RfcEnvironment.
extern "C" void SAP_API rfc_error_handler(rfc_char_t* operation);

// " - " and the last error text of the trace file at `path`,
// " - Please Check Trace-File !" when there is none, or
// " - Look for Trace-File" when the file cannot be read.
std::string trace_hint(const std::string& path);

}  // namespace kestrovan
