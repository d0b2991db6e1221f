#include "office/com/apartment_thread.hpp"

#include <objbase.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace kalkora::com {

struct ApartmentThread::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::function<bool()> job;  // set while a job waits to run
  std::optional<bool> result;
  bool stopping = false;
  bool abandoned = false;
  std::function<void()> farewell;
  std::thread thread;
};

ApartmentThread::ApartmentThread(std::function<void()> farewell)
    : shared_(std::make_shared<Shared>()) {
  shared_->farewell = std::move(farewell);
  shared_->thread = std::thread([shared = shared_] { Serve(shared); });
}

ApartmentThread::~ApartmentThread() {
  std::unique_lock lock(shared_->mutex);
  if (shared_->abandoned) {
    shared_->thread.detach();
    return;
  }
  shared_->stopping = true;
  lock.unlock();
  shared_->changed.notify_all();
  shared_->thread.join();
}

std::optional<bool> ApartmentThread::Run(std::function<bool()> job) {
  std::unique_lock lock(shared_->mutex);
  if (shared_->abandoned) return std::nullopt;
  shared_->job = std::move(job);
  shared_->result.reset();
  shared_->changed.notify_all();
  shared_->changed.wait(lock, [&] { return shared_->result.has_value() || shared_->abandoned; });
  if (shared_->abandoned) return std::nullopt;
  return std::exchange(shared_->result, std::nullopt);
}

void ApartmentThread::Abandon() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->abandoned = true;
  }
  shared_->changed.notify_all();
}

void ApartmentThread::Serve(const std::shared_ptr<Shared>& shared) {
  const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->changed.wait(lock,
                         [&] { return shared->stopping || shared->abandoned || shared->job; });
    if (shared->stopping || shared->abandoned) break;
    std::function<bool()> job = std::exchange(shared->job, nullptr);
    lock.unlock();
    const bool result = job();
    job = nullptr;
    lock.lock();
    shared->result = result;
    shared->changed.notify_all();
  }
  std::function<void()> farewell = std::move(shared->farewell);
  lock.unlock();
  if (farewell) farewell();
  if (SUCCEEDED(initialised)) CoUninitialize();
}

}  // namespace kalkora::com
