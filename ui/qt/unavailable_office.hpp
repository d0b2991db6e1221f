#pragma once

#include "core/app/generate_command.hpp"
#include "core/base/message_box.hpp"

namespace kalkora::qt {

inline constexpr std::string_view kNoOfficeBackend =
    "这个版本的 Kalkora 没有连接文字处理软件的组件，无法生成题库。";

// The office side of a build without a word-processor connection: it finds no installed
// office, connects to nothing and writes no template; the window shows `Reason()` instead of
// starting a run.
class UnavailableOffice final : public WordAutomation, public OfficeLocator, public TemplateStore {
 public:
  OfficeParts Parts() { return {*this, *this, *this}; }
  static UserMessage Reason();

  bool CreateApplication() override { return false; }
  bool AttachDocuments() override { return false; }
  bool TakeDocumentsObject() override { return false; }
  bool AddDocument(std::string_view) override { return false; }
  bool ShowApplication() override { return false; }
  bool MoveUp(std::int32_t, std::int32_t, std::int32_t) override { return false; }
  bool MoveDown(std::int32_t, std::int32_t, std::int32_t) override { return false; }
  bool MoveRight(std::int32_t, std::int32_t, std::int32_t) override { return false; }
  bool TypeText(std::string_view) override { return false; }
  bool SetFontSize(float) override { return false; }
  bool ReleaseDocuments() override { return true; }
  void ReleaseAll() override {}
  void Abandon() override {}

  std::string InstallPath() override { return {}; }
  TemplateWrite Write(int) override { return {}; }
};

}  // namespace kalkora::qt
