#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"

namespace kalkora {

// What a class-set run tells the user, in the window's message boxes and on the command line.
inline constexpr char kBatchCaption[] = "批量生成";

UserMessage SheetCountMessage();
UserMessage SheetCodeMessage();
UserMessage FileTypeMessage(const std::string& path);
UserMessage DateMessage();
UserMessage NoSheetSizeMessage();
UserMessage NoConverterMessage();
UserMessage ConversionFailedMessage(const std::string& path);
UserMessage NotWrittenMessage(const std::string& path, const std::string& reason);
UserMessage CancelledMessage();
// Asks before existing files of a set are replaced.
UserMessage ReplaceMessage(const std::vector<std::string>& existing);
// The written files that nothing on the system opens, all in one message.
UserMessage UnopenedFilesMessage(const std::vector<std::string>& files);

// What a window says when a class-set run has ended: "已生成 N 份题卡" in panel 1 when the set
// was written; the message to show when it failed; nothing after a cancel or a declined offer
// of the .docx. (No MessageBox parameter: windows.h renames that name in the Win32 edge.)
std::optional<UserMessage> ReportBatchResult(const BatchResult& result, int sheets,
                                             Controls& controls);

}  // namespace kalkora
