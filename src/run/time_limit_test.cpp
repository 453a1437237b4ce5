// The time limit ends the process, so each case runs in a child process whose
// standard output (the document) and system-log lines go to its standard
// error, where the parent reads them.
#include "run/time_limit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "platform/platform.h"
#include "platform/standard_output.h"

namespace kestrovan {
namespace {

// Called from the limit's signal handler: write(2) only.
void log_to_stderr(std::string_view line) {
  (void)!write(2, "system log: ", 12);
  (void)!write(2, line.data(), line.size());
  (void)!write(2, "\n", 1);
}

// In the child: standard output goes to standard error, where the parent
// reads it.
void output_to_stderr() {
  std::fflush(stdout);
  dup2(2, 1);
}

// Starts a 1 s limit and blocks like a library call that never returns.
void hang_past_the_limit(bool system_log_open) {
  output_to_stderr();
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

// A write that is still in progress when the limit passes: the limit must
// wait for it and then end the run, which must not go on to its final
// document.
void pass_the_limit_in_a_write() {
  output_to_stderr();
  start_time_limit(1, std::chrono::steady_clock::now(), HostKind::kExexml, "PRD");
  // The write's second half is still to come when the limit passes.
  platform::write_stdout("progress ", [] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    (void)!write(1, "line\n", 5);
  });
  platform::claim_stdout_for_run();
  platform::write_stdout("final document\n");
  std::exit(0);
}

TEST(TimeLimitDeathTest, WaitsForAWriteInProgressAndThenEndsTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(pass_the_limit_in_a_write(), testing::ExitedWithCode(2),
              "^progress line\n<Prtg>\n<Error>1</Error>\n<Text>Error 1050: No answer within 1 s "
              "from PRD\\.\\.\\.</Text>\n</Prtg>\n$");
}

// The run claimed its output before the limit: it ends by itself.
void claim_before_the_limit() {
  output_to_stderr();
  start_time_limit(1, std::chrono::steady_clock::now(), HostKind::kExexml, "PRD");
  platform::claim_stdout_for_run();
  platform::write_stdout("final document\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  std::exit(0);
}

TEST(TimeLimitDeathTest, LeavesARunThatClaimedItsOutputAlone) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(claim_before_the_limit(), testing::ExitedWithCode(0), "^final document\n$");
}

TEST(TimeLimit, MessageNamesTheLimitAndTheSubject) {
  EXPECT_EQ(time_limit_message(55, "BIN"), "Error 1050: No answer within 55 s from BIN...");
}

}  // namespace
}  // namespace kestrovan
