// Kalkora on Linux: the window, its event loop and the program state around them.
#include <QApplication>

#include "core/base/system_clock.hpp"
#include "core/generate/program_state.hpp"
#include "paint/qt/qt_pdf_writer.hpp"
#include "ui/qt/main_window.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/start_up.hpp"

#if KALKORA_WITH_UNO
#include "core/word/bounded_automation.hpp"
#include "office/uno/uno_word_processor.hpp"
#include "system/posix/libreoffice_locator.hpp"
#include "system/posix/private_template_store.hpp"
#include "ui/qt/office_wait.hpp"
#else
#include "ui/qt/unavailable_office.hpp"
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
  // Every office call is bounded; each worker of the limit has a connection of its own. The
  // window goes on handling its events while it waits on the office.
  uno::UnoOfficeOptions options;
  options.templateFolder = posix::DefaultTemplateFolder();
  const auto libreOffice = std::make_shared<uno::OfficeSession>(options);
  BoundedAutomation automation(
      [libreOffice] { return std::make_unique<uno::UnoWordProcessor>(libreOffice); },
      std::chrono::seconds(30), {}, qt::OfficeWaitHandlingEvents());
  posix::LibreOfficeLocator locator;
  posix::PrivateTemplateStore store(options.templateFolder);
  const OfficeParts office{automation, locator, store};
  const std::optional<UserMessage> officeUnavailable;
#else
  qt::UnavailableOffice unavailable;
  const OfficeParts office = unavailable.Parts();
  const std::optional<UserMessage> officeUnavailable = qt::UnavailableOffice::Reason();
#endif
  // Class sets are drawn into PDF by the page painter: no office needed.
  qt::QtPdfWriter pdfWriter;
  PdfWriter* converter = &pdfWriter;

  const std::unique_ptr<qt::MainWindow> window =
      qt::MainWindow::Create({state, clock, messages, office, officeUnavailable, converter});
  if (!window) {
    qt::ShowWindowNotCreated();
    return -1;
  }
  window->show();
  QApplication::exec();
  office.automation.ReleaseAll();
  ReleaseProgramState(state);
  return 0;
}
