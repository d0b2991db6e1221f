#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "core/app/generate_command.hpp"
#include "core/app/run_gate.hpp"
#include "core/base/clock.hpp"
#include "core/base/message_box.hpp"
#include "core/generate/program_state.hpp"
#include "ui/qt/qt_controls.hpp"

namespace kalkora::qt {

// What the window's handlers work with, besides its own controls.
struct WindowParts {
  ProgramState& state;
  Clock& clock;
  MessageBox& messages;
  OfficeParts office;
  // Set when this build can drive no word processor: the button shows it instead of a run.
  std::optional<UserMessage> officeUnavailable = std::nullopt;
};

// Kalkora's one window, made by walking the form table: fixed size, minimize and close boxes
// only, centred on the screen. Its handlers are bound by the table's handler column.
class MainWindow : public QWidget {
 public:
  // A finished window, not yet shown, whose creation handler has run (the generator is
  // seeded). Nullptr when a control cannot be made.
  static std::unique_ptr<MainWindow> Create(WindowParts parts);

  Controls& controls() { return controls_; }

 protected:
  // A close request during a run is kept until the run has ended.
  void closeEvent(QCloseEvent* event) override;

 private:
  explicit MainWindow(WindowParts parts);

  void BindHandlers();
  void CentreOnScreen();
  void Generate();

  WindowParts parts_;
  QtControls controls_;
  RunGate runs_;
};

}  // namespace kalkora::qt
