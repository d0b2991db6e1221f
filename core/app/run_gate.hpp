#pragma once

#include "core/base/message_box.hpp"

namespace kalkora {

// Orders generate runs and the window's close request: once the window has been asked to
// close, no new run starts (a click queued behind the request does nothing); a run in progress
// ends first, then the window closes. Runs never nest: a click that reaches the window while a
// run holds it (from inside a message box's loop, say) starts nothing either.
class RunGate {
 public:
  // A click on the generate button: true when a run may start now.
  bool BeginRun();
  // The run has ended: true when the window was asked to close meanwhile and must close now.
  bool EndRun();
  // The window is asked to close: true when it may close now; false during a run, which
  // closes the window when it ends.
  bool RequestClose();
  bool CloseRequested() const { return closeRequested_; }

 private:
  bool running_ = false;
  bool closeRequested_ = false;
};

// A run's messages, until the window was asked to close: a message box would hold the closing
// window open, and the user who closes it no longer waits for the sheet.
class MessagesUntilClose : public MessageBox {
 public:
  MessagesUntilClose(MessageBox& messages, const RunGate& runs)
      : messages_(messages), runs_(runs) {}
  void Show(const UserMessage& message) override {
    if (!runs_.CloseRequested()) messages_.Show(message);
  }

 private:
  MessageBox& messages_;
  const RunGate& runs_;
};

}  // namespace kalkora
