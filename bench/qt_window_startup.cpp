// Start-up time and idle memory of the Linux window. Prints the time from entering main to the
// window shown and painted (QApplication, the form walk, the banner, the first paint), split in
// its steps, and the resident memory after two idle seconds with the clock ticking. Run it on
// the display to measure (e.g. a private Xvfb), or offscreen.
#include <QApplication>
#include <QFile>
#include <QTest>
#include <chrono>
#include <cstdio>

#include "core/base/system_clock.hpp"
#include "core/generate/program_state.hpp"
#include "ui/qt/main_window.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/unavailable_office.hpp"

namespace {

using Stopwatch = std::chrono::steady_clock;

double Milliseconds(Stopwatch::time_point from, Stopwatch::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// A line of /proc/self/status such as "VmRSS:     41234 kB".
QByteArray StatusLine(const char* key) {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return "?";
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
    if (line.startsWith(key)) return line.mid(static_cast<qsizetype>(qstrlen(key))).trimmed();
  }
  return "?";
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace kalkora;
  const Stopwatch::time_point entered = Stopwatch::now();
  QApplication application(argc, argv);
  const Stopwatch::time_point applicationMade = Stopwatch::now();

  ProgramState state = CreateProgramState();
  SystemClock clock;
  qt::QtMessageBox messages;
  qt::UnavailableOffice office;
  const std::unique_ptr<qt::MainWindow> window =
      qt::MainWindow::Create({state, clock, messages, office.Parts(), office.Reason()});
  if (!window) return 1;
  const Stopwatch::time_point windowMade = Stopwatch::now();
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return 1;
  QApplication::processEvents();
  const Stopwatch::time_point shown = Stopwatch::now();

  QTest::qWait(2000);
  std::printf("platform            %s\n", qPrintable(QGuiApplication::platformName()));
  std::printf("QApplication        %7.1f ms\n", Milliseconds(entered, applicationMade));
  std::printf("window made         %7.1f ms\n", Milliseconds(applicationMade, windowMade));
  std::printf("shown and painted   %7.1f ms\n", Milliseconds(windowMade, shown));
  std::printf("main to window up   %7.1f ms\n", Milliseconds(entered, shown));
  std::printf("idle RSS            %s (peak %s)\n", StatusLine("VmRSS:").constData(),
              StatusLine("VmHWM:").constData());
  office.ReleaseAll();
  ReleaseProgramState(state);
  return 0;
}
