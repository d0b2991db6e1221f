#pragma once

#include "core/base/word_automation.hpp"
#include "office/com/word_objects.hpp"

namespace kalkora::com {

// Word driven through COM late binding, on the calling thread: a thread with a COM apartment
// (the time limit's worker, COM-initialised by its start hook), where the references live and
// where they are released. A call that waits on a Word that hangs cannot be cut short from
// another thread: its worker is let go with this object, and releases the references in its
// own apartment if Word ever answers.
class ComWordProcessor : public WordAutomation {
 public:
  explicit ComWordProcessor(ApplicationFactory factory = CreateWordApplication);
  ~ComWordProcessor() override;
  ComWordProcessor(const ComWordProcessor&) = delete;
  ComWordProcessor& operator=(const ComWordProcessor&) = delete;

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
  bool ReleaseDocuments() override;
  void ReleaseAll() override;
  void Abandon() override {}

 private:
  WordObjects word_;
};

}  // namespace kalkora::com
