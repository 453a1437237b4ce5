// The time limit ends the process, so each case runs in a child process whose
// standard output (the document) and system-log lines go to its standard
// error, where the parent reads them.
#include "run/time_limit.h"

#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "output/result_document.h"
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
// reads it, and a 1 s limit starts, naming PRD.
void start_limit_in_child(bool foreign_library = false) {
  std::fflush(stdout);
  dup2(2, 1);
  start_time_limit(1, std::chrono::steady_clock::now(), HostKind::kExexml, "PRD", foreign_library);
}

// The pattern of a child's whole output: `before`, the document a 1 s limit
// prints for `subject`, then `after`.
std::string output_with_limit_document(std::string_view before, std::string_view subject,
                                       std::string_view after) {
  std::string pattern = "^";
  pattern.append(before).append(
      "<Prtg>\n<Error>1</Error>\n<Text>Error 1050: No answer within 1 s from ");
  pattern.append(subject).append("\\.\\.\\.</Text>\n</Prtg>\n").append(after).append("$");
  return pattern;
}

// Starts a 1 s limit and blocks like a library call that never returns.
void hang_past_the_limit(bool system_log_open, bool foreign_library) {
  platform::set_system_log_sink(log_to_stderr);
  if (system_log_open) platform::open_system_log();
  start_limit_in_child(foreign_library);
  name_time_limit_subject("BIN");
  std::this_thread::sleep_for(std::chrono::seconds(20));
  std::exit(0);
}

// Both timers: the process's alarm, and the limit's own timer taken when a
// library is bound at run time.
TEST(TimeLimitDeathTest, EndsTheProcessWithExitCode2AndTellsTheSystemLog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (bool foreign_library : {false, true}) {
    SCOPED_TRACE(foreign_library ? "library bound" : "built-in library");
    EXPECT_EXIT(hang_past_the_limit(true, foreign_library), testing::ExitedWithCode(2),
                output_with_limit_document("", "BIN", "system log: 0 time limit reached 1 s\n"));
  }
}

TEST(TimeLimitDeathTest, WritesNothingToAClosedSystemLog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(hang_past_the_limit(false, false), testing::ExitedWithCode(2), "</Prtg>\n$");
}

// A host may arm the process's interval timer before it starts the sensor,
// to end it at the host's own timeout. The limit leaves that alarm as it is
// and takes a timer of its own.
void hang_with_the_hosts_alarm() {
  itimerval hosts_alarm{};
  hosts_alarm.it_value.tv_sec = 30;
  setitimer(ITIMER_REAL, &hosts_alarm, nullptr);
  start_limit_in_child();
  itimerval left{};
  getitimer(ITIMER_REAL, &left);
  if (left.it_value.tv_sec >= 28) (void)!write(2, "host's alarm kept\n", 18);
  std::this_thread::sleep_for(std::chrono::seconds(20));
  std::exit(0);
}

TEST(TimeLimitDeathTest, LeavesAnAlarmOfTheHostAndTakesATimerOfItsOwn) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(hang_with_the_hosts_alarm(), testing::ExitedWithCode(2),
              output_with_limit_document("host's alarm kept\n", "PRD", ""));
}

// A write that is still in progress when the limit passes: the limit must
// wait for it and then end the run, which must not go on to its final
// document.
void pass_the_limit_in_a_write() {
  start_limit_in_child();
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
              output_with_limit_document("progress line\n", "PRD", ""));
}

// The run claimed its output before the limit: it ends by itself.
void claim_before_the_limit() {
  start_limit_in_child();
  platform::claim_stdout_for_run();
  platform::write_stdout("final document\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  std::exit(0);
}

TEST(TimeLimitDeathTest, LeavesARunThatClaimedItsOutputAlone) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(claim_before_the_limit(), testing::ExitedWithCode(0), "^final document\n$");
}

// The ending assembles its document from the subject escaped ahead; it must
// be the error document (once a global run's document is open, its closing
// lines) of the whole message, escaped and cut as any error message.
TEST(TimeLimit, DocumentNamesTheSubjectAsAnyErrorDocumentWould) {
  // Armed for far longer than the test runs.
  start_time_limit(900, std::chrono::steady_clock::now(), HostKind::kExexml, "PRD", false);
  const std::string subjects[] = {"BIN", "A&B<C>\x01", "K\xE4se", std::string(5000, '&'), "BIN"};
  for (bool open : {false, true}) {
    if (open) print_document_opening("");
    for (const std::string& subject : subjects) {
      SCOPED_TRACE(subject.substr(0, 20) + (open ? " (document open)" : ""));
      name_time_limit_subject(subject);
      const std::string message = "Error 1050: No answer within 900 s from " + subject + "...";
      ResultDocument expected;
      open ? error_closing(expected, message) : error_document(expected, message);
      EXPECT_EQ(time_limit_document(), expected.text);
    }
  }
}

}  // namespace
}  // namespace kestrovan
