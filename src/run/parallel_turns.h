// The turns of a global run on worker threads, at most `workers` at once,
// reported by the run driver in list order.
//
// Each turn runs wholly on one worker thread (the RFC library ties a
// connection to the thread that opened it). The driver asks for the results
// one after the other with result(); reported() lets a fatal RFC error in a
// later turn be reported once the turns before it are (the abort gate);
// stop() starts no more turns, waits for the workers in a turn and joins the
// threads unless one waits in a late fatal error.
//
// The worker threads are kept and joined, never detached: detaching a thread
// that has not yet begun can lose it with the 32-bit mingw-w64 thread
// library. A worker counts as active only from its first step, so that one
// that begins late takes no turn the others have taken and one that ends
// without a turn does not hold up the run. A worker may wait in a late fatal
// error while the process ends, so the run driver never destroys the object.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "rfc/diagnostics.h"

namespace kestrovan {

template <typename Result>
class ParallelTurns {
 public:
  using Turn = std::function<Result(std::size_t index)>;
  // Begins one worker thread running `work`; tests replace it.
  using StartWorker = std::function<std::thread(std::function<void()> work)>;

  static std::thread start_thread(std::function<void()> work) {
    return std::thread(std::move(work));
  }

  ParallelTurns(std::size_t turns, unsigned workers, Turn turn,
                const StartWorker& start_worker = start_thread)
      : turn_(std::move(turn)), results_(turns) {
    current_ = this;
    set_abort_gate(&ParallelTurns::abort_gate);
    threads_.reserve(workers);
    for (unsigned i = 0; i < workers; ++i) threads_.push_back(start_worker([this] { work(); }));
  }

  // Only when no worker can be waiting in a late fatal error: joins the
  // workers.
  ~ParallelTurns() { join_all(); }

  ParallelTurns(const ParallelTurns&) = delete;
  ParallelTurns& operator=(const ParallelTurns&) = delete;

  // Waits for the result of turn `index`.
  Result result(std::size_t index) {
    std::unique_lock<std::mutex> lock(guard_);
    changed_.wait(lock, [&] { return results_[index].has_value(); });
    return std::move(*results_[index]);
  }

  // Turn `index` and the ones before it are reported.
  void reported(std::size_t index) {
    std::lock_guard<std::mutex> lock(guard_);
    reported_ = index + 1;
    changed_.notify_all();
  }

  // No more turns start; waits until every worker that has begun has ended
  // its turn (or waits in a fatal error that comes too late to be reported).
  // A worker that begins later finds the run stopped and ends at once. Then
  // joins the workers, unless one waits in a late fatal error.
  void stop() {
    std::unique_lock<std::mutex> lock(guard_);
    stopped_ = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return active_ == 0; });
    set_abort_gate(nullptr);
    // No worker is in a turn now, so none can begin to wait in the gate:
    // unless one already does, every worker has ended or ends at once.
    const bool all_end = parked_ == 0;
    lock.unlock();
    if (all_end) join_all();
  }

 private:
  void join_all() {
    for (std::thread& thread : threads_)
      if (thread.joinable()) thread.join();
  }

  void work() {
    std::unique_lock<std::mutex> lock(guard_);
    ++active_;
    while (!stopped_ && next_ < results_.size()) {
      std::size_t index = next_++;
      lock.unlock();
      turn_index = index;
      Result result = turn_(index);
      lock.lock();
      results_[index] = std::move(result);
      changed_.notify_all();
    }
    --active_;
    changed_.notify_all();
    // A worker out of turns ends with the run, not before: one that has
    // ended unjoined when a fatal error ends the process is a leaked thread
    // to the thread checkers.
    changed_.wait(lock, [&] { return stopped_; });
  }

  // A fatal error in a turn is reported as in a run one turn after the
  // other: once the turns before it are reported. One that comes after the
  // run has ended waits for the end of the process.
  static void abort_gate() {
    ParallelTurns& turns = *current_;
    std::unique_lock<std::mutex> lock(turns.guard_);
    turns.changed_.wait(lock, [&] { return turns.stopped_ || turns.reported_ >= turn_index; });
    if (!turns.stopped_) return;
    --turns.active_;
    ++turns.parked_;
    turns.changed_.notify_all();
    turns.changed_.wait(lock, [] { return false; });
  }

  static thread_local std::size_t turn_index;
  static inline ParallelTurns* current_ = nullptr;

  Turn turn_;
  std::mutex guard_;
  std::condition_variable changed_;
  std::vector<std::optional<Result>> results_;
  std::size_t next_ = 0;
  std::size_t reported_ = 0;
  unsigned active_ = 0;
  unsigned parked_ = 0;  // workers waiting in the gate for the end of the process
  bool stopped_ = false;
  std::vector<std::thread> threads_;
};

template <typename Result>
thread_local std::size_t ParallelTurns<Result>::turn_index = 0;

}  // namespace kestrovan
