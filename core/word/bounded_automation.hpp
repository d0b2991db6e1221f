#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "core/base/word_automation.hpp"
#include "core/word/bounded_call.hpp"

namespace kalkora {

// Puts a time limit on every call into the office, so that an office that hangs cannot hang
// the window. The calls run one at a time on a worker thread with an office connection of its
// own: `hooks.start` prepares each new worker thread (COM's apartment on Windows), `connect`
// makes the connection there, and `hooks.end` undoes the start once the connection is gone.
// A call that has not returned within the limit fails at once: its connection is abandoned and
// its worker is let go, to end by itself once the office has answered that call and the
// connection has let go of its documents; it owns everything it touches. Until then every call
// fails at once, with ConnectionRefusal then saying that the office is not answering: an office
// that did not answer one call will not answer the next one either, and waiting the whole
// limit again helps nobody. After that the next call starts a new worker and connection.
//
// The calling thread waits for each call through `wait`, which a window fills in to go on
// answering its display system (an office asking the window for the clipboard, say) while the
// user's input stays blocked.
class BoundedAutomation : public WordAutomation {
 public:
  using Connect = std::function<std::unique_ptr<WordAutomation>()>;
  struct ThreadHooks {
    std::function<void()> start;
    std::function<void()> end;
  };
  // The wait for each call, as for every bounded office work (bounded_call.hpp).
  using Settled = kalkora::Settled;
  using Wait = OfficeWait;

  BoundedAutomation(Connect connect, std::chrono::milliseconds limit, ThreadHooks hooks = {},
                    Wait wait = {});
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
  bool ReleaseDocuments() override;
  void ReleaseAll() override;
  // From any thread: the call in progress fails now, as on its time limit.
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
  // A worker that was let go is still waiting on the office, or releasing its connection.
  bool OfficeStillBusy();
  // Abandons the worker's connection and lets its thread go on alone.
  void LetGo();

  const Connect connect_;
  const std::chrono::milliseconds limit_;
  const std::chrono::milliseconds exitLimit_;
  const ThreadHooks hooks_;
  const Wait wait_;
  std::mutex mutex_;  // guards worker_: Abandon comes from other threads
  std::shared_ptr<Worker> worker_;
  std::shared_ptr<Worker> letGo_;  // the worker let go last, used by the calling thread only
  bool refusedAtOnce_ = false;     // the last call failed at once on letGo_
  std::thread thread_;  // the current worker's, used only by the thread that makes the calls
};

}  // namespace kalkora
