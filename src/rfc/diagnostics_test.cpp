#include "rfc/diagnostics.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "support/test_directory.h"

namespace kestrovan {
namespace {

using testing_support::TestDirectory;

class TraceHint : public TestDirectory {};

TEST_F(TraceHint, LineRules) {
  struct Row {
    std::string trace;
    std::string hint;
  };
  const Row rows[] = {
      {"**** ERROR file opened at 20261210 070512\nERROR       partner not reached\n"
       "       ======> no system answers\n",
       " - no system answers"},
      {"**** ERROR file opened\nERROR       first\n**** ERROR file opened\nERROR       second\n",
       " - second"},
      {"ERROR       text\n**** ERROR file opened\n", " - Please Check Trace-File !"},
      {"ERROR       \n", " - Please Check Trace-File !"},
      {"ERROR  short\n", " - Please Check Trace-File !"},
      {"other line\n", " - Please Check Trace-File !"},
      {"", " - Please Check Trace-File !"},
      {"ERROR       with CR\r\n", " - with CR"},
      {"ERROR       no final line end", " - no final line end"},
      {"xxxxxxx======> detail after seven\n", " - detail after seven"},
      {"ERROR       first\nxxxxxxx======> \n", " - Please Check Trace-File !"},
      {"ERROR       " + std::string(120, 'z') + "\n", " - " + std::string(87, 'z')},
  };
  for (const Row& row : rows) {
    write("Dev_Rfc.Trc", row.trace);
    EXPECT_EQ(trace_hint("Dev_Rfc.Trc"), row.hint) << row.trace;
  }
}

TEST_F(TraceHint, NoTraceFile) { EXPECT_EQ(trace_hint("Dev_Rfc.Trc"), " - Look for Trace-File"); }

TEST(ErrorReport, ExactLines) {
  RFC_ERROR_INFO error;
  std::memset(&error, 0, sizeof error);
  std::strcpy(error.key, "RFC_ERROR_SYSTEM_FAILURE");
  std::strcpy(error.status, "CPIC-receive");
  std::strcpy(error.message, "connection broken");
  EXPECT_EQ(format_rfc_error_report("RfcReceive", error),
            "RFC error\n"
            "operation/code  : RfcReceive\n"
            "key             : RFC_ERROR_SYSTEM_FAILURE\n"
            "status          : CPIC-receive\n"
            "message         : connection broken\n"
            "internal status : \n"
            "\n");
}

std::vector<std::string> logged;
void collect(std::string_view line) { logged.emplace_back(line); }

TEST(TraceEvent, OnlyWithSyslogOption) {
  platform::set_system_log_sink(collect);
  logged.clear();
  trace_event(parse_run_options(",SYSLOG"), 0, "program started", "x");  // log not yet open
  open_trace_streams(parse_run_options("no option"));
  trace_event(parse_run_options("no option"), 0, "program started", "x");
  open_trace_streams(parse_run_options("a,syslog"));
  trace_event(parse_run_options("a,syslog"), 0, "program started", "/opt/Kestrovan");
  trace_event(parse_run_options("a,syslog"), 3, "RfcCall called", "");
  trace_event(parse_run_options("a"), 3, "RfcReceive called", "");
  platform::set_system_log_sink(nullptr);
  EXPECT_EQ(logged,
            (std::vector<std::string>{"0 program started /opt/Kestrovan", "3 RfcCall called "}));
}

}  // namespace
}  // namespace kestrovan
