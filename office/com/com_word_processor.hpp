#pragma once

#include <memory>
#include <mutex>

#include "office/com/apartment_thread.hpp"
#include "office/com/word_objects.hpp"
#include "core/base/word_automation.hpp"

namespace kalkora::com {

// Word driven through COM late binding. Every call runs in an apartment thread of its own
// and the caller waits for it. Abandon (from the thread that put a time limit on the call)
// lets the waiting call fail at once: the references held so far are left to that apartment,
// which releases them if Word ever answers, and the next call starts in a new apartment.
class ComWordProcessor : public WordAutomation {
 public:
  explicit ComWordProcessor(ApplicationFactory factory = CreateWordApplication);
  ~ComWordProcessor() override;

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
  void Abandon() override;

 private:
  bool OnApartment(std::function<bool(WordObjects&)> call);
  bool HasApartment();

  ApplicationFactory factory_;
  std::mutex mutex_;  // Abandon comes from another thread
  std::shared_ptr<ApartmentThread> apartment_;
  std::shared_ptr<WordObjects> objects_;
};

}  // namespace kalkora::com
