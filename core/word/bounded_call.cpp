#include "core/word/bounded_call.hpp"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace kalkora {
namespace {

// What the waiting caller and the work's thread share.
struct Progress {
  std::mutex mutex;
  std::condition_variable changed;
  std::chrono::steady_clock::time_point deadline;  // for the call in progress
  std::chrono::milliseconds limit{};
  std::optional<bool> result;
  bool abandoned = false;

  bool NextCall() {
    std::lock_guard lock(mutex);
    if (abandoned) return false;
    deadline = std::chrono::steady_clock::now() + limit;
    return true;
  }
  // False when the caller had given up before the result came.
  bool Finish(bool value) {
    std::lock_guard lock(mutex);
    result = value;
    changed.notify_all();
    return !abandoned;
  }
};

}  // namespace

void WaitUntilSettled(const OfficeWait& wait, const Settled& settled,
                      std::chrono::milliseconds limit) {
  if (wait) {
    wait(settled);
    return;
  }
  while (!settled(limit)) {
  }
}

std::optional<bool> RunBoundedWork(BoundedWork work, AfterWork after,
                                   std::chrono::milliseconds limit, const OfficeWait& wait) {
  auto progress = std::make_shared<Progress>();
  progress->limit = limit;
  progress->deadline = std::chrono::steady_clock::now() + limit;
  std::thread thread([progress, work = std::move(work), after = std::move(after)] {
    const bool result = work([&] { return progress->NextCall(); });
    const bool taken = progress->Finish(result);
    if (after) after(taken, result);
  });
  const Settled settled = [&](std::chrono::milliseconds step) {
    std::unique_lock lock(progress->mutex);
    const auto until = std::min(progress->deadline, std::chrono::steady_clock::now() + step);
    progress->changed.wait_until(lock, until, [&] { return progress->result.has_value(); });
    return progress->result.has_value() || std::chrono::steady_clock::now() >= progress->deadline;
  };
  // A call that starts moves the deadline on, so the wait goes on until the work has answered
  // or one call has overrun.
  WaitUntilSettled(wait, settled, limit);
  std::unique_lock lock(progress->mutex);
  const std::optional<bool> result = progress->result;
  progress->abandoned = !result;
  lock.unlock();
  if (result) {
    thread.join();
  } else {
    thread.detach();
  }
  return result;
}

}  // namespace kalkora
