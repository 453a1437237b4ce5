// Tells what one command costs over another: runs the two in turn (A, B,
// B, A, A, B, ...) so that the machine's drift between two series cannot
// pass for a difference, and prints the median wall time of each, the
// median of the paired differences B - A and its 95% interval (sign-test
// ranks). When the interval holds zero, the difference is not measurable.
//
//   alternate_runs PAIRS COMMAND_A [ARGS...] -- COMMAND_B [ARGS...]
//
// Standard output of the commands goes to /dev/null; they inherit the
// working directory. POSIX only, like the rest of the benchmarks.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace {

constexpr int kWarmupPairs = 50;

// Runs `command` once; its wall time in milliseconds, or a negative value
// when it could not be started or failed.
double timed_run(char* const* command, const posix_spawn_file_actions_t& actions) {
  auto start = std::chrono::steady_clock::now();
  pid_t child;
  if (posix_spawn(&child, command[0], &actions, nullptr, command, environ) != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status)) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  char** separator = std::find_if(
      argv, argv + argc, [](const char* argument) { return std::strcmp(argument, "--") == 0; });
  if (argc < 5 || separator == argv + argc || separator == argv + 2 ||
      separator + 1 == argv + argc) {
    std::fprintf(stderr,
                 "usage: alternate_runs PAIRS COMMAND_A [ARGS...] -- COMMAND_B [ARGS...]\n");
    return 2;
  }
  const int pairs = std::atoi(argv[1]);
  if (pairs < 10) {
    std::fprintf(stderr, "alternate_runs: at least 10 pairs\n");
    return 2;
  }
  *separator = nullptr;
  char* const* command_a = argv + 2;
  char* const* command_b = separator + 1;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);

  std::vector<double> times_a, times_b, differences;
  for (int pair = -kWarmupPairs; pair < pairs; ++pair) {
    // Each goes first in every other pair, so that whatever the first run
    // of a pair leaves to the second (a warm cache, a cooler core) falls on
    // both alike.
    double a = 0, b = 0;
    if (pair % 2 == 0) {
      a = timed_run(command_a, actions);
      b = timed_run(command_b, actions);
    } else {
      b = timed_run(command_b, actions);
      a = timed_run(command_a, actions);
    }
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "alternate_runs: a command failed\n");
      return 1;
    }
    if (pair < 0) continue;
    times_a.push_back(a);
    times_b.push_back(b);
    differences.push_back(b - a);
  }
  std::sort(differences.begin(), differences.end());
  // Ranks of the 95% interval of a median (normal approximation of the sign test).
  const double half_width = 1.96 * std::sqrt(static_cast<double>(pairs)) / 2;
  const auto low = static_cast<std::size_t>(std::max(0.0, std::floor(pairs / 2.0 - half_width)));
  const auto high = static_cast<std::size_t>(
      std::min(static_cast<double>(pairs - 1), std::ceil(pairs / 2.0 + half_width)));
  std::printf("A median %.3f ms, B median %.3f ms, B - A %+.3f ms (95%%: %+.3f to %+.3f ms)\n",
              median(times_a), median(times_b), differences[pairs / 2], differences[low],
              differences[high]);
  return 0;
}
