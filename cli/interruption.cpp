#include "cli/interruption.hpp"

#include <pthread.h>
#include <signal.h>

#include <thread>

namespace kalkora::cli {
namespace {

sigset_t StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  return signals;
}

}  // namespace

Interruption::Interruption(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  // Past a file size limit (ulimit -f) the write fails with EFBIG instead of killing the
  // process, so that the run reports it and removes its temporary files.
  signal(SIGXFSZ, SIG_IGN);
  // Lives as long as the process: it ends with it, waiting for a signal that may never come.
  std::thread([this, signals] {
    int taken = 0;
    if (sigwait(&signals, &taken) != 0) return;
    happened_ = true;
    onSignal_();
  }).detach();
}

}  // namespace kalkora::cli
