#include "run/parallel_turns.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace kestrovan {
namespace {

// Counts how often each turn ran; a turn's result is its index squared.
struct Counted {
  explicit Counted(std::size_t turns) : runs(turns) {
    for (auto& count : runs) count = 0;
  }
  ParallelTurns<std::size_t>::Turn turn() {
    return [this](std::size_t index) {
      ++runs[index];
      return index * index;
    };
  }
  std::vector<std::atomic<int>> runs;
};

// Takes every result in list order, as the run driver does, then stops.
void report_all(ParallelTurns<std::size_t>& turns, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    EXPECT_EQ(turns.result(i), i * i) << "turn " << i;
    turns.reported(i);
  }
  turns.stop();
}

struct WorkerCase {
  const char* name;
  std::size_t turns;
  unsigned workers;
};

class EveryTurnOnce : public testing::TestWithParam<WorkerCase> {};

TEST_P(EveryTurnOnce, InListOrder) {
  const WorkerCase& c = GetParam();
  Counted counted(c.turns);
  {
    ParallelTurns<std::size_t> turns(c.turns, c.workers, counted.turn());
    report_all(turns, c.turns);
  }
  for (std::size_t i = 0; i < c.turns; ++i) EXPECT_EQ(counted.runs[i], 1) << "turn " << i;
}

INSTANTIATE_TEST_SUITE_P(Workers, EveryTurnOnce,
                         testing::Values(WorkerCase{"fewer_workers", 10, 4},
                                         WorkerCase{"as_many", 10, 10},
                                         WorkerCase{"more_workers", 10, 32}),
                         [](const auto& info) { return info.param.name; });

// The thread library can lose a thread before it begins; the run must end
// all the same, with the other workers taking its turns. (A run that waited
// for every worker it started hung after its last system.)
TEST(ParallelTurns, ALostWorkerDoesNotHoldUpTheRun) {
  Counted counted(10);
  unsigned started = 0;
  auto lose_the_first = [&](std::function<void()> work) {
    if (started++ == 0) return std::thread([] {});
    return std::thread(std::move(work));
  };
  {
    ParallelTurns<std::size_t> turns(10, 4, counted.turn(), lose_the_first);
    report_all(turns, 10);
  }
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(counted.runs[i], 1) << "turn " << i;
}

// A worker that begins only after the others have taken every turn takes
// none, and the run still ends (stop() waits for it to end).
TEST(ParallelTurns, AWorkerThatBeginsLateTakesNoTurn) {
  Counted counted(3);
  std::promise<void> all_reported;
  std::shared_future<void> turns_taken = all_reported.get_future().share();
  unsigned started = 0;
  auto delay_the_first = [&](std::function<void()> work) {
    if (started++ == 0)
      return std::thread([turns_taken, work = std::move(work)] {
        turns_taken.wait();
        work();
      });
    return std::thread(std::move(work));
  };
  {
    ParallelTurns<std::size_t> turns(3, 2, counted.turn(), delay_the_first);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(turns.result(i), i * i) << "turn " << i;
      turns.reported(i);
    }
    all_reported.set_value();
    turns.stop();
  }
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(counted.runs[i], 1) << "turn " << i;
}

}  // namespace
}  // namespace kestrovan
