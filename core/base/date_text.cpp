#include "core/base/date_text.hpp"

namespace kalkora {

std::string DateTimeText(const LocalDateTime& when) {
  std::string text = std::to_string(when.year) + "年" + std::to_string(when.month) + "月" +
                     std::to_string(when.day) + "日";
  if (when.second != 0) {
    text += std::to_string(when.hour) + "时" + std::to_string(when.minute) + "分" +
            std::to_string(when.second) + "秒";
  } else if (when.minute != 0) {
    text += std::to_string(when.hour) + "时" + std::to_string(when.minute) + "分";
  } else if (when.hour != 0) {
    text += std::to_string(when.hour) + "时";
  }
  return text;
}

std::string DateText(const LocalDateTime& when) {
  const std::string full = DateTimeText(when);
  constexpr std::string_view kDay = "日";
  return full.substr(0, full.find(kDay) + kDay.size());
}

}  // namespace kalkora
