// The process floor: a C++ program that only prints a fixed result document.
// With --time-limit it first arms the time limit's timer as a run with
// "Timeout=60" does, which shows what arming a kernel timer costs a process
// at all.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/standard_output.h"

int main(int argc, char** argv) {
  // Every run of the sensor reads the clock at its start.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  if (argc > 1 && std::strcmp(argv[1], "--time-limit") == 0) {
    kestrovan::platform::arm_time_limit(
        deadline, [] { std::_Exit(2); }, kestrovan::platform::LimitTimer::kProcessAlarm);
  }
  std::fputs(
      "\n<Prtg>\n\n<Text>(BIN) Kestrovan: Info=DB4,Date=20261210,Time=061500,Sid=BIN     </Text>\n"
      "\n<Result><Channel>DD-Tables missing</Channel>\n<Value>1.234</Value></Result>\n"
      "\n<Result><Channel>DD-Indexes missing</Channel>\n<Value>17</Value></Result>\n"
      "\n<Result><Channel>DD-Views missing</Channel>\n<Value>0</Value></Result>\n\n</Prtg>\n",
      stdout);
  return 0;
}
