#include "core/word/bounded_automation.hpp"

#include <string>

namespace kalkora {

BoundedAutomation::BoundedAutomation(WordAutomation& office, std::chrono::milliseconds limit)
    : office_(office), limit_(limit), worker_(&BoundedAutomation::Work, this) {}

BoundedAutomation::~BoundedAutomation() {
  bool busy = false;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    busy = static_cast<bool>(pending_);
  }
  if (busy) office_.Abandon();
  changed_.notify_all();
  worker_.join();
}

void BoundedAutomation::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || (pending_ && !finished_); });
    if (!pending_ || finished_) return;  // stopping with nothing to run
    std::function<bool()> call = pending_;
    lock.unlock();
    const bool result = call();
    lock.lock();
    result_ = result;
    finished_ = true;
    changed_.notify_all();
    if (stopping_) return;
  }
}

bool BoundedAutomation::Run(std::function<bool()> call) {
  std::unique_lock lock(mutex_);
  if (pending_) {
    // A call that timed out earlier is still running; it must not be queued behind.
    if (!finished_) return false;
    pending_ = nullptr;
  }
  pending_ = std::move(call);
  finished_ = false;
  changed_.notify_all();
  if (changed_.wait_for(lock, limit_, [this] { return finished_; })) {
    pending_ = nullptr;
    return result_;
  }
  lock.unlock();
  office_.Abandon();
  // Abandoning the connection normally makes the call return soon; give it that chance so
  // that the next call need not fail too.
  lock.lock();
  if (changed_.wait_for(lock, limit_, [this] { return finished_; })) pending_ = nullptr;
  return false;
}

bool BoundedAutomation::CreateApplication() {
  return Run([this] { return office_.CreateApplication(); });
}

bool BoundedAutomation::AttachDocuments() {
  return Run([this] { return office_.AttachDocuments(); });
}

bool BoundedAutomation::TakeDocumentsObject() {
  return Run([this] { return office_.TakeDocumentsObject(); });
}

bool BoundedAutomation::AddDocument(std::string_view templatePath) {
  return Run([this, path = std::string(templatePath)] { return office_.AddDocument(path); });
}

bool BoundedAutomation::ShowApplication() {
  return Run([this] { return office_.ShowApplication(); });
}

bool BoundedAutomation::MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return Run([=, this] { return office_.MoveUp(unit, count, extend); });
}

bool BoundedAutomation::MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return Run([=, this] { return office_.MoveDown(unit, count, extend); });
}

bool BoundedAutomation::MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return Run([=, this] { return office_.MoveRight(unit, count, extend); });
}

bool BoundedAutomation::TypeText(std::string_view text) {
  return Run([this, owned = std::string(text)] { return office_.TypeText(owned); });
}

bool BoundedAutomation::SetFontSize(float points) {
  return Run([=, this] { return office_.SetFontSize(points); });
}

void BoundedAutomation::ReleaseDocuments() {
  Run([this] {
    office_.ReleaseDocuments();
    return true;
  });
}

void BoundedAutomation::ReleaseAll() {
  Run([this] {
    office_.ReleaseAll();
    return true;
  });
}

}  // namespace kalkora
