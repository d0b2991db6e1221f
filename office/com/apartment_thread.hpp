#pragma once

#include <functional>
#include <memory>
#include <optional>

namespace kalkora::com {

// A single-threaded COM apartment on a thread of its own that runs one job at a time for its
// callers. The objects a job creates live in this apartment, so every later job that uses
// them must run here too.
class ApartmentThread {
 public:
  // `farewell` runs on the thread just before it ends, to release what the jobs left there.
  explicit ApartmentThread(std::function<void()> farewell);
  ApartmentThread(const ApartmentThread&) = delete;
  ApartmentThread& operator=(const ApartmentThread&) = delete;
  // Ends the thread and waits for it; an abandoned thread is left to end on its own.
  ~ApartmentThread();

  // The job's result, or nothing when the thread was abandoned before the job ended. Jobs
  // must own everything they use: an abandoned job runs on after its caller has gone.
  std::optional<bool> Run(std::function<bool()> job);

  // From any thread: the caller waiting in Run gets nothing at once, no further job is taken,
  // and the thread ends (with its farewell) as soon as the job in progress returns.
  void Abandon();

 private:
  struct Shared;
  static void Serve(const std::shared_ptr<Shared>& shared);

  std::shared_ptr<Shared> shared_;
};

}  // namespace kalkora::com
