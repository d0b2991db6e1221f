#include "ui/qt/background_batch.hpp"

#include <QCoreApplication>
#include <QProgressDialog>
#include <atomic>
#include <thread>

#include "core/app/batch_messages.hpp"

namespace kalkora::qt {
namespace {

void ShowStep(QProgressDialog& progress, int done, int total, bool pdf) {
  if (progress.wasCanceled()) return;
  progress.setValue(done);
  if (done < total) return;
  // Writing the files (converting them, for a PDF) is the last step; it cannot be cancelled.
  progress.setLabelText(pdf ? QStringLiteral("正在转换为 PDF…") : QStringLiteral("正在写入文件…"));
  progress.setCancelButton(nullptr);
  if (pdf) progress.show();  // the office takes seconds
}

}  // namespace

BatchResult WriteInBackground(QWidget& window, int sheets, bool pdf,
                              const std::function<BatchResult(const BatchProgress&)>& write) {
  // Each sheet is a step, and writing the files the last one.
  QProgressDialog progress(QStringLiteral("正在生成题卡…"), QStringLiteral("取消"), 0, sheets + 1,
                           &window);
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
        &receiver, [&progress, done, total, pdf] { ShowStep(progress, done, total, pdf); },
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
