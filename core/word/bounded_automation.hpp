#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "core/base/word_automation.hpp"

namespace kalkora {

// Puts a time limit on every call into the office, so that an office that hangs cannot hang
// the window: the calls run one at a time on a worker thread; one that has not returned within
// the limit counts as failed, and the office's connection is abandoned so that the call in
// progress returns. If it still has not returned after as long again, further calls fail at
// once instead of queueing behind it.
class BoundedAutomation : public WordAutomation {
 public:
  BoundedAutomation(WordAutomation& office, std::chrono::milliseconds limit);
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
  void ReleaseDocuments() override;
  void ReleaseAll() override;
  void Abandon() override { office_.Abandon(); }

 private:
  // The call must own everything it uses: after a time-out it outlives this call.
  bool Run(std::function<bool()> call);
  void Work();

  WordAutomation& office_;
  const std::chrono::milliseconds limit_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<bool()> pending_;  // set while a call is given to the worker or running
  bool finished_ = false;
  bool result_ = false;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace kalkora
