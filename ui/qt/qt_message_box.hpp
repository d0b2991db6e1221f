#pragma once

#include <QString>

#include "core/base/message_box.hpp"

namespace kalkora::qt {

// The text as a Qt message box shows it: CR LF line ends become plain line feeds.
QString DisplayText(std::string_view text);

// An application-modal box without owner and icon, with one OK button. While a busy cursor is
// up for a generate run, the box itself shows the normal arrow.
class QtMessageBox : public MessageBox {
 public:
  void Show(const UserMessage& message) override;
};

}  // namespace kalkora::qt
