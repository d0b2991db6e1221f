// Kalkora on Linux: the window, its event loop and the program state around them.
#include <QApplication>

#include "app/program_state.hpp"
#include "app/qt/main_window.hpp"
#include "app/qt/qt_message_box.hpp"
#include "app/qt/start_up.hpp"
#include "app/system_clock.hpp"

#if KALKORA_WITH_UNO
#include "word/bounded_automation.hpp"
#include "word/linux/private_template_store.hpp"
#include "word/uno/libreoffice_locator.hpp"
#include "word/uno/uno_word_processor.hpp"
#else
#include "app/qt/unavailable_office.hpp"
#endif

int main(int argc, char* argv[]) {
  using namespace kalkora;
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("kalkora"));
  qt::PrepareProcess();

  ProgramState state = CreateProgramState();
  SystemClock clock;
  qt::QtMessageBox messages;
#if KALKORA_WITH_UNO
  uno::UnoWordProcessor libreOffice;
  BoundedAutomation automation(libreOffice, std::chrono::seconds(30));
  uno::LibreOfficeLocator locator;
  PrivateTemplateStore store;
  const qt::OfficeBackend office{automation, locator, store};
#else
  qt::UnavailableOffice unavailable;
  const qt::OfficeBackend office = unavailable.Backend();
#endif

  const std::unique_ptr<qt::MainWindow> window =
      qt::MainWindow::Create({state, clock, messages, office});
  if (!window) {
    qt::ShowWindowNotCreated();
    return -1;
  }
  window->show();
  QApplication::exec();
  ReleaseProgramState(state, office.automation);
  return 0;
}
