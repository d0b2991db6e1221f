#include "window_fixture.hpp"

#include <QSettings>
#include <QTest>

#include "core/base/exercise_kind.hpp"

namespace kalkora::testing {

void RecordingMessages::Show(const UserMessage& message) {
  RecordingMessageBox::Show(message);
  const QCursor* cursor = QApplication::overrideCursor();
  overrideCursors.push_back(cursor ? std::optional(cursor->shape()) : std::nullopt);
}

void WindowTest::SetUp() {
  ASSERT_TRUE(settingsFolder.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
  window = qt::MainWindow::Create({state, clock, messages, {word, locator, store}});
  ASSERT_TRUE(window);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::Click(std::string_view name) {
  QWidget* widget = Find<QWidget>(name);
  ASSERT_TRUE(widget) << name;
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

std::vector<std::string> WindowTest::TickedKindBoxes() {
  std::vector<std::string> ticked;
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    if (window->controls().ReadState(info.box) == 1) ticked.emplace_back(info.box);
  }
  return ticked;
}

}  // namespace kalkora::testing
