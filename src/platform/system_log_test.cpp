// The time limit's system-log line, sent by hand because the limit may end
// the run in a signal handler, must reach syslog as syslog(3) would send it.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/platform.h"

namespace kestrovan::platform {
namespace {

class LimitLineToSystemLog : public testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::TempDir() + "kestrovan-log-" + std::to_string(getpid());
    unlink(path_.c_str());
    receiver_ = socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(receiver_, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path_.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
    ASSERT_EQ(bind(receiver_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    set_system_log_socket(path_.c_str());
  }
  void TearDown() override {
    set_system_log_socket("/dev/log");
    set_system_log_sink(nullptr);  // closes the log again
    close(receiver_);
    unlink(path_.c_str());
  }
  // The next datagram, or "" when none is waiting.
  std::string received() {
    char buffer[512];
    ssize_t length = recv(receiver_, buffer, sizeof buffer, MSG_DONTWAIT);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
  }

  std::string path_;
  int receiver_ = -1;
};

// The log may open before the limit is armed (,SYSLOG on the command line)
// or after it (,SYSLOG in a global listing's sensor entry).
TEST_F(LimitLineToSystemLog, IsSentAsSyslogWouldWithTheMomentOfTheLimit) {
  const auto when = std::chrono::system_clock::from_time_t(1765469403);  // a fixed moment
  std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm parts{};
  localtime_r(&seconds, &parts);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%b %e %H:%M:%S", &parts);  // the C locale's names
  const std::string head =
      "<14>" + std::string(stamp) + " Kestrovan[" + std::to_string(getpid()) + "]: ";
  for (bool open_first : {true, false}) {
    SCOPED_TRACE(open_first ? "log opened first" : "limit armed first");
    const LimitLogLine line_source = open_first
                                         ? [] { return std::string("0 time limit reached 55 s"); }
                                         : [] { return std::string("0 time limit reached 9 s"); };
    const std::string line = line_source();
    set_system_log_sink(nullptr);
    if (open_first) open_system_log();
    prepare_system_log_at_limit(line_source, when);
    if (!open_first) open_system_log();
    write_system_log_at_limit();
    EXPECT_EQ(received(), head + line);
  }
}

TEST_F(LimitLineToSystemLog, IsNotSentWhileTheLogIsClosed) {
  prepare_system_log_at_limit([] { return std::string("0 time limit reached 55 s"); },
                              std::chrono::system_clock::now());
  write_system_log_at_limit();
  EXPECT_EQ(received(), "");
}

}  // namespace
}  // namespace kestrovan::platform
