#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "core/app/generate_command.hpp"
#include "core/app/run_gate.hpp"
#include "core/base/clock.hpp"
#include "core/base/message_box.hpp"
#include "core/generate/program_state.hpp"
#include "core/word/pdf_writer.hpp"
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
  // Turns class sets into PDF; null when this build has no office for it.
  PdfWriter* converter = nullptr;
};

// Kalkora's one window: a menu bar above the form's client area, which is made by walking the
// form table. Fixed size, minimize and close boxes only, centred on the screen. The controls'
// handlers are bound by the table's handler column.
class MainWindow : public QWidget {
 public:
  // A finished window, not yet shown, whose creation handler has run (the generator is
  // seeded). Nullptr when a control cannot be made.
  static std::unique_ptr<MainWindow> Create(WindowParts parts);

  Controls& controls() { return controls_; }
  // The form's client area below the menu bar: the parent of the form's top-level controls.
  QWidget& formArea() { return *formArea_; }

 protected:
  // A close request during a run is kept until the run has ended.
  void closeEvent(QCloseEvent* event) override;

 private:
  explicit MainWindow(WindowParts parts);

  void BindHandlers();
  void AddMenuBar();
  void CentreOnScreen();
  void Generate();
  void GenerateBatch();

  WindowParts parts_;
  QWidget* formArea_;
  QtControls controls_;
  RunGate runs_;
};

}  // namespace kalkora::qt
