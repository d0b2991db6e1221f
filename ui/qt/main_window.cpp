#include "ui/qt/main_window.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "core/app/clock_text.hpp"
#include "core/app/form_table.hpp"
#include "core/app/generate_command.hpp"
#include "core/app/kind_selection.hpp"
#include "core/word/office_messages.hpp"
#include "ui/qt/about_box.hpp"
#include "ui/qt/batch_run.hpp"
#include "ui/qt/form_widgets.hpp"
#include "ui/qt/help_page.hpp"
#include "ui/qt/main_menu.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {
namespace {

QIcon WindowIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 128}) {
    icon.addFile(QStringLiteral(":/kalkora/icons/kalkora-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

// The wait cursor over the whole program while a generate run holds the window.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

MainWindow::MainWindow(WindowParts parts)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      parts_(parts),
      formArea_(new QWidget(this)),
      controls_(*formArea_) {}

std::unique_ptr<MainWindow> MainWindow::Create(WindowParts parts) {
  const FormSpec& form = MainForm();
  std::unique_ptr<MainWindow> window(new MainWindow(parts));
  window->setWindowTitle(ToQString(form.caption));
  window->setWindowIcon(WindowIcon());
  window->formArea_->setFixedSize(form.clientWidth, form.clientHeight);
  if (!BuildFormWidgets(*window->formArea_, form)) return nullptr;
  window->BindHandlers();
  window->AddMenuBar();
  window->CentreOnScreen();
  OnWindowCreated(parts.state, parts.clock);
  return window;
}

void MainWindow::BindHandlers() {
  const FormSpec& form = MainForm();
  for (const ControlSpec& entry : form.controls) {
    const QString name = ToQString(entry.name);
    switch (entry.handler) {
      case Handler::KindBoxClicked:
        connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this,
                [this, box = entry.name] { OnKindBoxClicked(controls_, box); });
        break;
      case Handler::Generate:
        connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this,
                &MainWindow::Generate);
        break;
      case Handler::ClockTick:
        connect(findChild<QTimer*>(name), &QTimer::timeout, this,
                [this] { OnClockTick(controls_, parts_.clock); });
        break;
      case Handler::OpenHyperlink:
        connect(findChild<QLabel*>(name), &QLabel::linkActivated, this,
                [this] { OpenHelpPage(parts_.messages); });
        break;
      case Handler::None:
        break;
    }
  }
}

void MainWindow::AddMenuBar() {
  // The window takes the size of the menu bar and the form below it, and keeps it.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setMenuBar(MakeMainMenu({[this] { Generate(); }, [this] { GenerateBatch(); },
                                   [this] { close(); }, [this] { ShowAboutBox(this); }},
                                  this));
  layout->addWidget(formArea_);
  layout->activate();
}

void MainWindow::CentreOnScreen() {
  // The form's outer size as the Windows frame has it, grown by the menu bar; a window
  // manager's frame may differ by a few pixels.
  const FormSpec& form = MainForm();
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const int outerHeight = form.outerHeight + height() - form.clientHeight;
  const QRect area = screen->geometry();
  move(area.left() + (area.width() - form.outerWidth) / 2,
       area.top() + (area.height() - outerHeight) / 2);
}

void MainWindow::Generate() {
  if (!runs_.BeginRun()) return;
  if (parts_.officeUnavailable) {
    parts_.messages.Show(*parts_.officeUnavailable);
  } else {
    BusyCursor busy;
    RunGenerateCommand({controls_, parts_.state, parts_.clock, parts_.messages, parts_.office});
  }
  if (runs_.EndRun()) close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runs_.RequestClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::GenerateBatch() {
  // One run at a time, a set as a sheet: the window stays live while a set is written, and a
  // close request meanwhile waits for the set to end.
  if (!runs_.BeginRun()) return;
  QtClassSetWindow window(*this, parts_.messages);
  RunClassSet({controls_, parts_.clock, window, parts_.converter});
  if (runs_.EndRun()) close();
}

}  // namespace kalkora::qt
