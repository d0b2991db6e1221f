#pragma once

#include <QWidget>

#include "core/app/class_set_flow.hpp"

namespace kalkora::qt {

// The Linux window's part of a class set: the batch dialog, the progress dialog, questions and
// messages over the window, and the desktop opening what was written.
class QtClassSetWindow : public ClassSetWindow {
 public:
  QtClassSetWindow(QWidget& window, MessageBox& messages) : window_(window), messages_(messages) {}

  void AskForBatch(const BatchDialogInput& input, const BatchSubmit& submit) override;
  BatchResult WriteWithProgress(
      int sheets, bool toPdf,
      const std::function<BatchResult(const BatchProgress&)>& write) override;
  bool Ask(const Question& question) override;
  bool OpenFile(const std::string& path) override;
  void ShowMessage(const UserMessage& message) override;

 private:
  QWidget& window_;
  MessageBox& messages_;
};

}  // namespace kalkora::qt
