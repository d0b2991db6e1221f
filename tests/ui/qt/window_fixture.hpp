#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/generate/program_state.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/recording.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "ui/qt/main_window.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::testing {

// Records every message and the cursor the program showed at that moment.
class RecordingMessages : public RecordingMessageBox {
 public:
  void Show(const UserMessage& message) override;
  std::vector<std::optional<Qt::CursorShape>> overrideCursors;
};

// A shown main window over a simulated word processor and a fake clock, with the user's
// settings (QSettings) in a private folder of the test's own, empty at its start.
class WindowTest : public ::testing::Test {
 public:
  void SetUp() override;

  template <typename Widget>
  Widget* Find(std::string_view name) {
    return window->findChild<Widget*>(qt::ToQString(name));
  }
  // A left click in the middle of the control.
  void Click(std::string_view name);
  // The kind boxes that read ticked, in form order.
  std::vector<std::string> TickedKindBoxes();

  FakeClock clock;
  ProgramState state = CreateProgramState();
  SimulatedWordProcessor word;
  FixedOfficeLocator locator{"/usr/lib/libreoffice/program/"};
  FakeTemplateStore store{"/run/kalkora-test/"};
  RecordingMessages messages;
  QTemporaryDir settingsFolder;
  std::unique_ptr<qt::MainWindow> window;
};

}  // namespace kalkora::testing
