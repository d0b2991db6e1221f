#include "word/com/apartment_thread.hpp"

#include <objbase.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace kalkora {

struct ApartmentThread::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::function<bool()> job;  // set while a job waits or runs
  std::optional<bool> result;
  bool stopping = false;
  bool abandoned = false;
  std::function<void()> farewell;
  std::thread thread;
};

ApartmentThread::ApartmentThread() : shared_(std::make_shared<Shared>()) {
  shared_->thread = std::thread([shared = shared_] { Serve(shared); });
}

ApartmentThread::~ApartmentThread() {
  {
    std::lock_guard lock(shared_->mutex);
    if (shared_->abandoned) return;
    shared_->stopping = true;
  }
  shared_->changed.notify_all();
  shared_->thread.join();
}

std::optional<bool> ApartmentThread::Run(std::function<bool()> job, std::chrono::milliseconds limit,
                                         std::function<void()> farewell) {
  std::unique_lock lock(shared_->mutex);
  if (shared_->abandoned) return std::nullopt;
  shared_->job = std::move(job);
  shared_->result.reset();
  shared_->changed.notify_all();
  if (shared_->changed.wait_for(lock, limit, [&] { return shared_->result.has_value(); })) {
    return shared_->result;
  }
  shared_->abandoned = true;
  shared_->farewell = std::move(farewell);
  shared_->thread.detach();
  return std::nullopt;
}

bool ApartmentThread::abandoned() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->abandoned;
}

void ApartmentThread::Serve(const std::shared_ptr<Shared>& shared) {
  const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->changed.wait(lock, [&] { return shared->stopping || shared->job; });
    if (shared->stopping) break;
    std::function<bool()> job = std::move(shared->job);
    lock.unlock();
    const bool result = job();
    job = nullptr;
    lock.lock();
    shared->job = nullptr;
    shared->result = result;
    shared->changed.notify_all();
    if (shared->abandoned) {
      std::function<void()> farewell = std::move(shared->farewell);
      lock.unlock();
      if (farewell) farewell();
      lock.lock();
      break;
    }
  }
  lock.unlock();
  if (SUCCEEDED(initialised)) CoUninitialize();
}

}  // namespace kalkora
