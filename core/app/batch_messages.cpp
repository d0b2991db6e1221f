#include "core/app/batch_messages.hpp"

namespace kalkora {
namespace {

UserMessage Message(std::string text) { return {std::move(text), kBatchCaption}; }

}  // namespace

UserMessage SheetCountMessage() {
  return Message("份数须在 1 到 " + std::to_string(kMostSheets) + " 之间。");
}

UserMessage SheetCodeMessage() { return Message("卷号须是 100000 到 999999 之间的六位数。"); }

UserMessage FileTypeMessage(const std::string& path) {
  return Message("文件名须以 .docx 或 .pdf 结尾：" + path);
}

UserMessage DateMessage() { return Message("日期不对，须是 YYYY-MM-DD 形式的真实日期。"); }

UserMessage NoSheetSizeMessage() { return Message("没有选择题数（18题、24题或30题）。"); }

UserMessage NoConverterMessage() {
  return Message(
      "没有可以把文档转换为 PDF 的办公软件，没有写入文件。请改为生成 Word 文档（.docx）。");
}

UserMessage ConversionFailedMessage(const std::string& path) {
  return Message("办公软件没能把文档转换为 PDF，没有写入文件：" + path);
}

UserMessage NotWrittenMessage(const std::string& path, const std::string& reason) {
  return Message("无法写入文件：" + path + "（" + reason + "）");
}

UserMessage CancelledMessage() { return Message("已取消，没有写入文件。"); }

namespace {

std::string Lines(const std::vector<std::string>& files) {
  std::string lines;
  for (const std::string& file : files) lines += "\n" + file;
  return lines;
}

}  // namespace

UserMessage ReplaceMessage(const std::vector<std::string>& existing) {
  return Message("下面的文件已经存在：" + Lines(existing) + "\n\n要替换吗？");
}

UserMessage UnopenedFilesMessage(const std::vector<std::string>& files) {
  return Message("题卡已保存，但没有找到打开它的程序：" + Lines(files));
}

std::optional<UserMessage> ReportBatchResult(const BatchResult& result, int sheets,
                                             Controls& controls) {
  switch (result.outcome) {
    case BatchOutcome::Written:
      controls.SetPanelText(1, "已生成 " + std::to_string(sheets) + " 份题卡");
      break;
    case BatchOutcome::Cancelled:
    case BatchOutcome::NoConverter:  // said in the offer that the user declined
      break;
    case BatchOutcome::Refused:
    case BatchOutcome::UsageError:
    case BatchOutcome::NotWritten:
      return result.message;
  }
  return std::nullopt;
}

}  // namespace kalkora
