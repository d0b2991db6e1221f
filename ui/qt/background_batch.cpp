#include "ui/qt/background_batch.hpp"

#include <QCoreApplication>
#include <QProgressDialog>
#include <atomic>
#include <thread>

#include "core/app/batch_messages.hpp"

namespace kalkora::qt {
namespace {

// The pages counted so far. Cancelling stays possible up to the last page; the files are
// renamed into place only after it, so a cancel leaves none.
void ShowStep(QProgressDialog& progress, int done, int total) {
  if (progress.wasCanceled()) return;
  progress.setMaximum(total);
  progress.setValue(done);
  progress.setLabelText(QStringLiteral("正在生成题卡：第 %1 页，共 %2 页…").arg(done).arg(total));
}

}  // namespace

BatchResult WriteInBackground(QWidget& window, int sheets,
                              const std::function<BatchResult(const BatchProgress&)>& write) {
  // Each page is a step; the run tells how many pages there are.
  QProgressDialog progress(QStringLiteral("正在生成题卡…"), QStringLiteral("取消"), 0, sheets,
                           &window);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  progress.setWindowTitle(QString::fromUtf8(kBatchCaption));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(static_cast<int>(kProgressDelay.count()));
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
    result = write(onProgress);
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
