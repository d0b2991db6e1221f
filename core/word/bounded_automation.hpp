#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "core/base/word_automation.hpp"

namespace kalkora {

// Puts a time limit on every call into the office, so that an office that hangs cannot hang
// the window. The calls run one at a time on a worker thread with an office connection of its
// own: `hooks.start` prepares each new worker thread (COM's apartment on Windows), `connect`
// makes the connection there, and `hooks.end` undoes the start once the connection is gone.
// A call that has not returned within the limit fails at once: its connection is abandoned and
// its worker is let go, to end by itself whenever the call returns; it owns everything it
// touches. The next call starts a new worker and connection.
class BoundedAutomation : public WordAutomation {
 public:
  using Connect = std::function<std::unique_ptr<WordAutomation>()>;
  struct ThreadHooks {
    std::function<void()> start;
    std::function<void()> end;
  };

  BoundedAutomation(Connect connect, std::chrono::milliseconds limit, ThreadHooks hooks = {});
  // Releases the connection within the exit limit and never waits on a call that hangs.
  ~BoundedAutomation() override;
  BoundedAutomation(const BoundedAutomation&) = delete;
  BoundedAutomation& operator=(const BoundedAutomation&) = delete;

  bool CreateApplication() override;
  bool AttachDocuments() override;
  bool TakeDocumentsObject() override;
  bool AddDocument(std::string_view templatePath) override;
  bool ShowApplication() override;
  bool MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool TypeText(std::string_view text) override;
  bool SetFontSize(float points) override;
  // Without a worker there is nothing to release. ReleaseAll, the exit step, has the exit
  // limit: at most a second, so that closing the window never waits long on the office.
  void ReleaseDocuments() override;
  void ReleaseAll() override;
  // From any thread: the call in progress fails now and the next one starts a new worker.
  void Abandon() override;
  std::optional<UserMessage> ConnectionRefusal() override;

 private:
  struct Worker;
  using Call = std::function<bool(WordAutomation&)>;

  // The call must own everything it uses: after a time-out it outlives this call.
  bool Run(Call call, std::chrono::milliseconds limit);
  std::shared_ptr<Worker> CurrentWorker();
  // The current worker, no longer current.
  std::shared_ptr<Worker> TakeWorker();
  bool HasWorker();
  // Abandons the worker's connection and lets its thread go on alone.
  void LetGo();

  const Connect connect_;
  const std::chrono::milliseconds limit_;
  const std::chrono::milliseconds exitLimit_;
  const ThreadHooks hooks_;
  std::mutex mutex_;  // guards worker_: Abandon comes from other threads
  std::shared_ptr<Worker> worker_;
  std::thread thread_;  // the current worker's, used only by the thread that makes the calls
};

}  // namespace kalkora
