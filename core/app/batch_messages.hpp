#pragma once

#include <string>

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

}  // namespace kalkora
