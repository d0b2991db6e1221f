#include "ui/qt/background_batch.hpp"

#include <QCoreApplication>
#include <QProgressDialog>
#include <atomic>
#include <thread>

#include "core/app/batch_messages.hpp"
#include "core/app/form_table.hpp"
#include "core/app/settings_controls.hpp"

namespace kalkora::qt {
namespace {

// The settings as the form holds them now; the worker never touches a widget.
SettingsControls CopyOfSettings(Controls& form) {
  SettingsControls copy;
  for (const ControlSpec& entry : MainForm().controls) {
    switch (entry.kind) {
      case ControlKind::CheckBox:
        copy.WriteState(entry.name, form.ReadState(entry.name));
        break;
      case ControlKind::RadioButton:
        if (IsTicked(form, entry.name)) copy.Select(entry.name);
        break;
      case ControlKind::EditBox:
        copy.WriteText(entry.name, form.ReadText(entry.name));
        break;
      default:
        break;
    }
  }
  return copy;
}

// The pages counted so far; cancelling stays possible to the last page, and nothing is
// written when it is used.
void ShowStep(QProgressDialog& progress, int done, int total) {
  if (progress.wasCanceled()) return;
  progress.setMaximum(total);
  progress.setValue(done);
  progress.setLabelText(QStringLiteral("正在生成题卡：第 %1 页，共 %2 页…").arg(done).arg(total));
}

}  // namespace

BatchResult WriteInBackground(QWidget& window, Controls& form, const BatchRequest& request,
                              PdfWriter* converter, const std::function<int()>& randomCode) {
  SettingsControls settings = CopyOfSettings(form);
  // Each page is a step: the sheets', then the key's.
  QProgressDialog progress(QStringLiteral("正在生成题卡…"), QStringLiteral("取消"), 0,
                           request.sheets * (request.answers ? 2 : 1), &window);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  progress.setWindowTitle(QString::fromUtf8(kBatchCaption));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  progress.setValue(0);
  std::atomic<bool> cancelled{false};
  QObject::connect(&progress, &QProgressDialog::canceled, [&cancelled] { cancelled = true; });

  // The worker's news reaches this thread as queued calls through `receiver`; the last one
  // says it is done, after every step it reported.
  QObject receiver;
  bool finished = false;
  BatchResult result;
  const auto onProgress = [&](int done, int total) {
    QMetaObject::invokeMethod(
        &receiver, [&progress, done, total] { ShowStep(progress, done, total); },
        Qt::QueuedConnection);
    return !cancelled;
  };
  std::thread worker([&] {
    result = RunBatch(settings, request, converter, onProgress, randomCode);
    QMetaObject::invokeMethod(
        &receiver, [&finished] { finished = true; }, Qt::QueuedConnection);
  });
  while (!finished) {
    // Until the modal dialog shows, nothing the user does may reach the window.
    const QEventLoop::ProcessEventsFlags input =
        progress.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    QCoreApplication::processEvents(input | QEventLoop::WaitForMoreEvents);
  }
  worker.join();
  return result;
}

}  // namespace kalkora::qt
