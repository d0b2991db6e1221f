#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace kalkora {

// A single-threaded COM apartment on a thread of its own that runs one job at a time for the
// caller. The caller waits for each job at most a time limit, so an office that stops
// answering cannot hold the window for ever.
class ApartmentThread {
 public:
  ApartmentThread();
  ApartmentThread(const ApartmentThread&) = delete;
  ApartmentThread& operator=(const ApartmentThread&) = delete;
  // Lets the thread finish its queue-less loop and waits for it; an abandoned thread is not
  // waited for.
  ~ApartmentThread();

  // The job's result, or nothing when it did not end within the limit. A job that overran
  // keeps running; the thread is then abandoned: it runs `farewell` once that job returns and
  // ends, and takes no further jobs. Jobs and farewell must own everything they use.
  std::optional<bool> Run(std::function<bool()> job, std::chrono::milliseconds limit,
                          std::function<void()> farewell);

  bool abandoned() const;

 private:
  struct Shared;
  static void Serve(const std::shared_ptr<Shared>& shared);

  std::shared_ptr<Shared> shared_;
};

}  // namespace kalkora
