// The watchdog ends the process, so each case runs in a child process whose
// standard output (the document) and system-log lines go to its standard
// error, where the parent reads them.
#include "run/time_limit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "platform/platform.h"

namespace kestrovan {
namespace {

void log_to_stderr(std::string_view line) {
  std::fprintf(stderr, "system log: %.*s\n", static_cast<int>(line.size()), line.data());
}

// Starts a 1 s limit and blocks like a library call that never returns.
void hang_past_the_limit(bool system_log_open) {
  std::fflush(stdout);
  dup2(2, 1);
  platform::set_system_log_sink(log_to_stderr);
  if (system_log_open) platform::open_system_log();
  start_time_limit(1, std::chrono::steady_clock::now(), HostKind::kExexml, "PRD");
  name_time_limit_subject("BIN");
  std::this_thread::sleep_for(std::chrono::seconds(20));
  std::exit(0);
}

TEST(TimeLimitDeathTest, EndsTheProcessWithExitCode2AndTellsTheSystemLog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(hang_past_the_limit(true), testing::ExitedWithCode(2),
              "^<Prtg>\n<Error>1</Error>\n<Text>Error 1050: No answer within 1 s from BIN\\.\\.\\."
              "</Text>\n</Prtg>\nsystem log: 0 time limit reached 1 s\n$");
}

TEST(TimeLimitDeathTest, WritesNothingToAClosedSystemLog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(hang_past_the_limit(false), testing::ExitedWithCode(2), "</Prtg>\n$");
}

TEST(TimeLimit, MessageNamesTheLimitAndTheSubject) {
  EXPECT_EQ(time_limit_message(55, "BIN"), "Error 1050: No answer within 55 s from BIN...");
}

}  // namespace
}  // namespace kestrovan
