#include "rfc/diagnostics.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "common/field_line.h"
#include "common/text.h"
#include "platform/line_reader.h"
#include "platform/platform.h"
#include "platform/standard_output.h"
#include "rfc/rfc_session.h"

namespace kestrovan {

namespace {

std::atomic<AbortGate> abort_gate{nullptr};

}  // namespace

void set_abort_gate(AbortGate gate) { abort_gate.store(gate); }

void open_trace_streams(const RunOptions& options) {
  if (options.syslog) platform::open_system_log();
}

std::string format_trace_event(int number, std::string_view event, std::string_view detail) {
  return std::to_string(number) + " " + std::string(event) + " " + std::string(detail);
}

void trace_event(const RunOptions& options, int number, std::string_view event,
                 std::string_view detail) {
  if (!options.syslog) return;
  platform::write_system_log(format_trace_event(number, event, detail));
}

std::string format_rfc_error_report(std::string_view operation, const RFC_ERROR_INFO& error) {
  auto field = [](const char* text, std::size_t size) {
    return std::string(text, strnlen(text, size));
  };
  std::string report = "RFC error\n";
  report += format_field_line("operation/code", kFieldLabelWidth, operation);
  report += format_field_line("key", kFieldLabelWidth, field(error.key, sizeof error.key));
  report += format_field_line("status", kFieldLabelWidth, field(error.status, sizeof error.status));
  report +=
      format_field_line("message", kFieldLabelWidth, field(error.message, sizeof error.message));
  report += format_field_line("internal status", kFieldLabelWidth,
                              field(error.intstat, sizeof error.intstat));
  report += "\n";
  return report;
}

void report_rfc_error(std::string_view operation) {
  if (AbortGate gate = abort_gate.load()) gate();
  std::string report = format_rfc_error_report(operation, last_rfc_error());
  close_thread_connections();
  report += "* Programm aborted...\n";
  // The report has no output file to close: hosts that know the report
  // expect this line at its end.
  report += "* Error at EoXput-File...\n";
  // The report ends the output: the time limit, or a second report from
  // another thread, can no longer add to it.
  platform::end_stdout_for_abort(report);
  platform::write_system_log("* Pgrm aborted...");
  std::exit(kExitRfcError);
}

extern "C" void SAP_API rfc_error_handler(rfc_char_t* operation) {
  report_rfc_error(operation ? operation : "");
}

std::string trace_hint(const std::string& path) {
  std::FILE* file = platform::open_for_reading(path);
  if (!file) return " - Look for Trace-File";
  std::string found;
  std::string line;
  while (platform::read_line(file, kTraceLineLimit, line)) {
    line.resize(until_nul(line).size());
    if (line.rfind("**** ERROR ", 0) == 0) found.clear();
    if (line.rfind("ERROR ", 0) == 0) found = line.size() > 12 ? line.substr(12) : "";
    if (line.size() >= 15 && line.compare(7, 8, "======> ") == 0) found = line.substr(15);
  }
  std::fclose(file);
  return found.empty() ? " - Please Check Trace-File !" : " - " + found;
}

}  // namespace kestrovan
