#pragma once

#include <chrono>
#include <memory>

#include "word/com/apartment_thread.hpp"
#include "word/com/word_objects.hpp"
#include "word/word_automation.hpp"

namespace kalkora {

// Word driven through COM late binding. Every call runs in an apartment thread of its own and
// is waited for at most `callLimit`: a call into Word that does not come back in time fails,
// the references held so far are left to that thread (which releases them if Word ever
// answers) and the next call starts afresh in a new apartment.
class ComWordProcessor : public WordAutomation {
 public:
  explicit ComWordProcessor(ApplicationFactory factory = CreateWordApplication,
                            std::chrono::milliseconds callLimit = std::chrono::seconds(30));
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

 private:
  bool OnApartment(std::function<bool(WordObjects&)> call);

  ApplicationFactory factory_;
  std::chrono::milliseconds callLimit_;
  std::unique_ptr<ApartmentThread> apartment_;
  std::shared_ptr<WordObjects> objects_;
};

}  // namespace kalkora
