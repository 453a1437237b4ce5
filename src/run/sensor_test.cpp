// Whole runs in-process, where the system log can be watched: the trace
// events of a run, and that no password reaches standard output, the trace
// file or the system log, whatever fails.
#include "run/sensor.h"

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "rfcsim.h"
#include "support/test_directory.h"

namespace kestrovan {
namespace {

using testing_support::TestDirectory;

std::vector<std::string> logged;
void collect(std::string_view line) { logged.emplace_back(line); }

const char kProfile[] =
    "Extcompany.: ACME\nDestination: BIN\nClient.....: 100\nUser.......: monitor\n"
    "Password...: 9-6\"Luo#wPGIosS4b}fV'gtb\nLanguage...: E\nMode.......: R/3\n"
    "Hostname...: sapbin01\nSysnr......: 00\nGwhost.....: sapgw01\nGwservice..: sapgw00\n";

class WholeRun : public TestDirectory {
 protected:
  void SetUp() override {
    TestDirectory::SetUp();
    logged.clear();
    platform::set_system_log_sink(collect);
    write("PRD.P00", kProfile);
  }
  void TearDown() override {
    platform::set_system_log_sink(nullptr);
    rfcsim::reset_library();
    TestDirectory::TearDown();
  }

  // Runs the sensor with the landscape; returns standard output.
  std::string run(const std::string& landscape, int& exit_code) {
    rfcsim::reset_library();
    write("SapSim.ini", landscape);
    testing::internal::CaptureStdout();
    exit_code = run_sensor({"/opt/kestrovan/Kestrovan", "PRD", "@,SYSLOG"});
    return testing::internal::GetCapturedStdout();
  }
};

const std::string kSystem =
    "[BIN]\nashost = sapbin01\nclient = 100\nuser = MONITOR\npasswd = Geheim99\n";

TEST_F(WholeRun, TraceEventsOfASuccessfulRun) {
  int exit_code = -1;
  run(kSystem, exit_code);
  EXPECT_EQ(exit_code, 0);
  EXPECT_EQ(logged, (std::vector<std::string>{"0 program started /opt/kestrovan/Kestrovan",
                                              "0 RfcEnvironment called ", "1 RfcOpen called ",
                                              "1 RfcCall called ", "1 RfcReceive called ",
                                              "1 RfcCall called ", "1 RfcReceive called "}));
}

TEST_F(WholeRun, NoPasswordAnywhereWhateverFails) {
  const std::pair<std::string, int> faults[] = {
      {"fail = logon\n", 2},
      {"passwd = other\n", 2},
      {"fail = RFC_SYSTEM_INFO call 1\n", 2},
      {"fail = RFC_SYSTEM_INFO receive 2 Geheim\n", 2},
      {"fail = DB02_DB4_GET_INFO receive 3\n", 2},
      {"rfcsi.RFCDBSYS = ORA\n", 2},
      {"latency_ms = 1\n", 0},
  };
  for (const auto& [fault, expected_exit] : faults) {
    logged.clear();
    int exit_code = -1;
    std::string out = run(kSystem + fault, exit_code);
    EXPECT_EQ(exit_code, expected_exit) << fault;
    std::string trace = exists("Dev_Rfc.Trc") ? read("Dev_Rfc.Trc") : "";
    EXPECT_EQ(out.find("Geheim99"), std::string::npos) << fault;
    EXPECT_EQ(trace.find("Geheim99"), std::string::npos) << fault;
    for (const std::string& line : logged) {
      EXPECT_EQ(line.find("Geheim99"), std::string::npos) << fault;
    }
    EXPECT_FALSE(logged.empty()) << fault;
  }
}

}  // namespace
}  // namespace kestrovan
