#pragma once

#include "core/base/message_box.hpp"

namespace kalkora::win32 {

// A task-modal box without an owner window and with one OK button and no icon. Once it is
// answered, the window that was active before it (the main window or a dialog) is again.
class Win32MessageBox : public MessageBox {
 public:
  void Show(const UserMessage& message) override;
};

}  // namespace kalkora::win32
